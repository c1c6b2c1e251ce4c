// A data file's value of any bytes made into each code (the first byte
// chooses the symbology and the QR level): it is refused with a reason or
// made, and then every bar placed lies inside its area.
#include "FuzzInput.h"
#include "merge/layout/Codes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    if (nSize < 1) {
        return 0;
    }
    static const CodeKind kinds[] = {CodeKind::Qr,   CodeKind::Code128,    CodeKind::Ean13,
                                     CodeKind::UpcA, CodeKind::DataMatrix, CodeKind::Pdf417};
    CCodeSpec code;
    code.kind = kinds[pData[0] % 6];
    code.cQrLevel = "LMQH"[pData[0] / 6 % 4];
    std::string strValue(reinterpret_cast<const char*>(pData) + 1, nSize - 1);
    CCodeSymbol symbol;
    std::string strDetail;
    if (!MakeCodeSymbol(code, strValue, symbol, strDetail)) {
        FUZZ_CHECK(!strDetail.empty(), "a refused value says why");
        return 0;
    }
    FUZZ_CHECK(symbol.dWidth > 0 && symbol.dHeight > 0 && !symbol.bars.empty(),
               "a symbol has a size and bars");
    CAreaDefinition area;
    area.fLeft = 50;
    area.fTop = 40;
    area.fWidth = 120;
    area.fHeight = 60;
    for (const CRectangle& bar : PlaceCode(symbol, area, 300)) {
        FUZZ_CHECK(bar.dWidth > 0 && bar.dHeight > 0, "a bar has a size");
        FUZZ_CHECK(bar.dX >= 50 - 1e-3 && bar.dX + bar.dWidth <= 170 + 1e-3 &&
                       bar.dY >= 300 - 100 - 1e-3 && bar.dY + bar.dHeight <= 300 - 40 + 1e-3,
                   "every bar lies in its area");
    }
    return 0;
}
