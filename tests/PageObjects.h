// What the tests read of a page of the stand-in host's publication.
#pragma once

#include "host/Publication.h"

#include <string>

namespace PageObjects {

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
