// The output device's colour profile a print-ready PDF names as its output
// intent: an ICC profile of a CMYK printer (an output profile), embedded
// whole. The profile comes from the shop, so it is checked as far as the
// file's header and tag table go before it is trusted: a profile of a
// monitor or of RGB, a cut or padded file, a tag outside the file, is
// refused with why.
#pragma once

#include <string>

struct CIccProfile {
    std::string strData;        // the whole profile
    std::string strDescription; // its description tag, printable ASCII, or empty
    int nMajorVersion = 0;
};

// Checks the bytes as a CMYK output profile; false with why.
bool ReadIccProfile(const std::string& strData, CIccProfile& profile, std::string& strError);

// The CMYK output profile a PDF names when the shop gives none:
// Ghostscript's, which describes printing on coated paper as offset
// presses in the United States do (SWOP); empty when it is not installed.
std::string DefaultOutputProfilePath();
