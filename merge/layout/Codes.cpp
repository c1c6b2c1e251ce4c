#include "merge/layout/Codes.h"

#include <strings.h>

#include <zint.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <memory>
#include <new>

namespace {

constexpr size_t MaxCodeBytes = 65536;

// Each kind of code: its name in the job ticket, its name with its article
// as a message gives it, and the library's symbology.
struct CKind {
    CodeKind kind;
    const char* pName;
    const char* pNamed;
    int nSymbology;
};
const CKind Kinds[] = {
    {CodeKind::Qr, "qr", "a QR code", BARCODE_QRCODE},
    {CodeKind::Code128, "code128", "a Code 128", BARCODE_CODE128},
    {CodeKind::Ean13, "ean13", "an EAN-13", BARCODE_EANX},
    {CodeKind::UpcA, "upca", "a UPC-A", BARCODE_UPCA},
    {CodeKind::DataMatrix, "datamatrix", "a DataMatrix", BARCODE_DATAMATRIX},
    {CodeKind::Pdf417, "pdf417", "a PDF417", BARCODE_PDF417},
};

const CKind& KindOf(CodeKind kind) {
    return *std::find_if(std::begin(Kinds), std::end(Kinds),
                         [&](const CKind& entry) { return entry.kind == kind; });
}

// The digits an EAN-13 or UPC-A takes with its check digit, which the
// library checks; it would make one up for a value without it.
bool DigitsWanted(const CCodeSpec& code, const std::string& strValue, std::string& strDetail) {
    size_t nWanted = code.kind == CodeKind::Ean13 ? 13 : code.kind == CodeKind::UpcA ? 12 : 0;
    if (nWanted == 0 || (strValue.size() == nWanted &&
                         strValue.find_first_not_of("0123456789") == std::string::npos)) {
        return true;
    }
    strDetail = std::string(KindOf(code.kind).pNamed) + " is " + std::to_string(nWanted) +
                " digits with its check digit";
    return false;
}

// The library's message without its number: "Error 275: Invalid check
// digit ..." as "invalid check digit ...".
std::string Reason(const char* pError) {
    std::string strReason = pError;
    size_t nColon = strReason.find(": ");
    strReason = nColon != std::string::npos ? strReason.substr(nColon + 2) : strReason;
    if (!strReason.empty()) {
        strReason[0] = static_cast<char>(tolower(static_cast<unsigned char>(strReason[0])));
    }
    return strReason;
}

} // namespace

bool CodeKindNamed(const std::string& strName, CodeKind& kind) {
    for (const CKind& entry : Kinds) {
        if (strcasecmp(strName.c_str(), entry.pName) == 0) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}

bool MakeCodeSymbol(const CCodeSpec& code, const std::string& strValue, CCodeSymbol& symbol,
                    std::string& strDetail) {
    if (!DigitsWanted(code, strValue, strDetail)) {
        return false;
    }
    // Far more than any symbology holds (a QR code, 7,089 digits).
    if (strValue.size() > MaxCodeBytes) {
        strDetail = std::string("cannot be ") + KindOf(code.kind).pNamed + ": " +
                    std::to_string(strValue.size()) + " bytes are too many";
        return false;
    }
    std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> pSymbol(ZBarcode_Create(),
                                                                 ZBarcode_Delete);
    if (!pSymbol) {
        throw std::bad_alloc();
    }
    pSymbol->symbology = KindOf(code.kind).nSymbology;
    pSymbol->input_mode = UNICODE_MODE;
    pSymbol->show_hrt = 0;
    pSymbol->output_options |= BARCODE_QUIET_ZONES;
    if (code.kind == CodeKind::Qr) {
        pSymbol->option_1 = static_cast<int>(std::string("LMQH").find(code.cQrLevel)) + 1;
    }
    if (code.kind == CodeKind::DataMatrix && code.bSquare) {
        pSymbol->option_3 = DM_SQUARE;
    }
    int nResult =
        ZBarcode_Encode(pSymbol.get(), reinterpret_cast<const unsigned char*>(strValue.data()),
                        static_cast<int>(strValue.size()));
    if (nResult < ZINT_ERROR) {
        nResult = ZBarcode_Buffer_Vector(pSymbol.get(), 0);
    }
    if (nResult >= ZINT_ERROR || pSymbol->vector == nullptr) {
        strDetail =
            std::string("cannot be ") + KindOf(code.kind).pNamed + ": " + Reason(pSymbol->errtxt);
        return false;
    }
    symbol.dWidth = pSymbol->vector->width;
    symbol.dHeight = pSymbol->vector->height;
    symbol.bLinear = pSymbol->rows == 1;
    symbol.bars.clear();
    for (const zint_vector_rect* pRect = pSymbol->vector->rectangles; pRect != nullptr;
         pRect = pRect->next) {
        symbol.bars.push_back({pRect->x, pRect->y, pRect->width, pRect->height});
    }
    return true;
}

std::vector<CRectangle> PlaceCode(const CCodeSymbol& symbol, const CAreaDefinition& area,
                                  double dPaperHeight) {
    double dScaleX = area.fWidth / symbol.dWidth;
    double dScaleY = area.fHeight / symbol.dHeight;
    if (!symbol.bLinear) {
        dScaleX = dScaleY = std::min(dScaleX, dScaleY);
    }
    double dLeft = area.fLeft + (area.fWidth - symbol.dWidth * dScaleX) / 2;
    double dTop = dPaperHeight - area.fTop - (area.fHeight - symbol.dHeight * dScaleY) / 2;
    std::vector<CRectangle> placed;
    placed.reserve(symbol.bars.size());
    for (const CRectangle& bar : symbol.bars) {
        placed.push_back({dLeft + bar.dX * dScaleX, dTop - (bar.dY + bar.dHeight) * dScaleY,
                          bar.dWidth * dScaleX, bar.dHeight * dScaleY});
    }
    return placed;
}
