#include "Catalogue.h"

#include "core/Units.h"

#include <cstdio>
#include <vector>

namespace {

// The data fields of the model, by their stored strings (indexes 1000 on):
// a field's name is the first word of its string.
std::vector<std::string> FieldNames(const CPublication& model) {
    std::vector<std::string> names;
    for (const CPrivateString& entry : model.strings) {
        if (entry.nIndex >= 1000 && !entry.bDeleted) {
            std::string strName = entry.strValue.substr(0, entry.strValue.find(' '));
            if (!strName.empty()) {
                names.push_back(strName);
            }
        }
    }
    return names;
}

CPrivateString Stored(int32_t nIndex, const std::string& strValue) {
    return {"NEB ", "VDAT", nIndex, strValue, false};
}

// The EPS text the plug-in pastes for an area of that box, in points.
std::string PlaceholderEps(const std::string& strName, int nLeft, int nTop, int nWidth,
                           int nHeight) {
    char szBox[96];
    snprintf(szBox, sizeof szBox, "%d.000000 %d.000000 %d.000000 %d.000000", nLeft, nTop,
             nLeft + nWidth, nTop + nHeight);
    return std::string("%!PS-Adobe-2.0 EPSF-2.0\n%%BoundingBox: ") + szBox +
           "\n%%Title: " + strName +
           "\n%%Author: NEB Variable Data Support\n%%Creator: NEB Variable Data Object\n";
}

} // namespace

bool MakeCatalogue(const CPublication& model, int nPages, int nPerPage, CPublication& catalogue,
                   std::string& strError) {
    const std::vector<std::string> fields = FieldNames(model);
    if (fields.empty()) {
        strError = "the model publication stores no data field to tie placeholders to";
        return false;
    }
    if (nPages < 1 || nPages > 32767 || nPerPage < 1 || nPerPage > 120) {
        strError = "a catalogue has 1 to 32767 pages of 1 to 120 placeholders";
        return false;
    }
    catalogue = model;
    catalogue.pages.assign(static_cast<size_t>(nPages), CHostPage());
    catalogue.nCurrentPage = 1;
    catalogue.nSelectedId = 0;
    // The placeholders lie in rows of four, 18 points high, below a heading.
    const int nColumns = 4;
    const int nWidth = 120;
    const int nHeight = 18;
    static const char* const Alignments[] = {"Left", "Center", "Right", "Justify"};
    int32_t nId = 0;
    int nArea = 0;
    for (int p = 0; p < nPages; ++p) {
        CHostPage& page = catalogue.pages[static_cast<size_t>(p)];
        CHostObject heading = HostObject(++nId, 1, 1);
        heading.bText = true;
        heading.anBounds[0] = 1440;
        heading.anBounds[1] = 720;
        heading.anBounds[2] = 10800;
        heading.anBounds[3] = 1200;
        page.objects.push_back(heading);
        for (int i = 0; i < nPerPage; ++i, ++nArea) {
            int nLeft = 36 + (i % nColumns) * (nWidth + 12);
            int nTop = 72 + (i / nColumns) * (nHeight + 4);
            char szName[32];
            snprintf(szName, sizeof szName, "P%dA%d", p + 1, i + 1);
            const std::string& strField = fields[static_cast<size_t>(nArea) % fields.size()];
            char szArea[256];
            snprintf(szArea, sizeof szArea,
                     "%s Is Text %s Flow Font Helvetica Size 10 Spacing 12 CMYK 0 0 0 1 "
                     "On \"c:\\jobs\\catalogue.ps\" %d At %d %d For %d %d FirstPos -1 -1",
                     szName, Alignments[i % 4], p + 1, nLeft, nTop, nWidth, nHeight);
            CHostObject object =
                HostObject(++nId, static_cast<int16_t>(i + 2), 11,
                           {Stored(1, szName), Stored(100, szArea), Stored(101, strField)});
            object.anBounds[0] = nLeft * TwipsPerPoint;
            object.anBounds[1] = nTop * TwipsPerPoint;
            object.anBounds[2] = (nLeft + nWidth) * TwipsPerPoint;
            object.anBounds[3] = (nTop + nHeight) * TwipsPerPoint;
            object.strEps = PlaceholderEps(szName, nLeft, nTop, nWidth, nHeight);
            page.objects.push_back(object);
        }
    }
    return true;
}
