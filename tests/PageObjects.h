// What the tests read of a page of the stand-in host's publication.
#pragma once

#include "host/Publication.h"

#include <string>

namespace PageObjects {

// A text block (kind 1) at the bounds (twips), set in the font, with size and
// leading in tenths of a point (-1 automatic) and the style bits.
inline CHostObject TextBlock(int32_t nId, int16_t nNumber, const int32_t (&anBounds)[4],
                             const std::string& strFont, int16_t nSize, int16_t nLeading,
                             int16_t nStyle) {
    CHostObject block = HostObject(nId, nNumber, 1);
    for (int i = 0; i < 4; ++i) {
        block.anBounds[i] = anBounds[i];
    }
    block.bText = true;
    block.text.strFont = strFont;
    block.text.nSize = nSize;
    block.text.nLeading = nLeading;
    block.text.nStyle = nStyle;
    return block;
}

// The first placeholder (kind 11) on the first page, or null.
inline const CHostObject* FirstPlaceholder(const CPublication& publication) {
    if (publication.pages.empty()) {
        return nullptr;
    }
    for (const CHostObject& object : publication.pages[0].objects) {
        if (object.nKind == 11) {
            return &object;
        }
    }
    return nullptr;
}

// The object's private string with the index, or "(none)".
inline std::string StringOf(const CHostObject& object, int32_t nIndex) {
    for (const CPrivateString& entry : object.strings) {
        if (entry.nIndex == nIndex) {
            return entry.strValue;
        }
    }
    return "(none)";
}

} // namespace PageObjects
