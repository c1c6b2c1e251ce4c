#include "merge/pdf/IccProfile.h"

#include <glob.h>
#include <unistd.h>

#include <cstdint>

namespace {

constexpr size_t HeaderSize = 128;

uint32_t Big32(const std::string& strData, size_t nAt) {
    return static_cast<uint32_t>(static_cast<unsigned char>(strData[nAt]) << 24 |
                                 static_cast<unsigned char>(strData[nAt + 1]) << 16 |
                                 static_cast<unsigned char>(strData[nAt + 2]) << 8 |
                                 static_cast<unsigned char>(strData[nAt + 3]));
}

// The printable ASCII of the description tag's text: a version 2 text
// description (its ASCII part) or a version 4 multilingual text (its first
// record, UTF-16BE).
std::string Description(const std::string& strData, size_t nAt, size_t nSize) {
    std::string strTag = strData.substr(nAt, nSize);
    std::string strText;
    if (strTag.compare(0, 4, "desc") == 0 && strTag.size() >= 12) {
        strText = strTag.substr(12, std::min<size_t>(Big32(strTag, 8), strTag.size() - 12));
    } else if (strTag.compare(0, 4, "mluc") == 0 && strTag.size() >= 28 && Big32(strTag, 8) > 0) {
        size_t nLength = Big32(strTag, 20);
        size_t nOffset = Big32(strTag, 24);
        for (size_t i = nOffset; i + 1 < strTag.size() && i + 1 < nOffset + nLength; i += 2) {
            strText += strTag[i] == 0 ? strTag[i + 1] : '?';
        }
    }
    std::string strOut;
    for (char c : strText) {
        if (c == '\0') {
            break;
        }
        strOut += c >= 0x20 && c < 0x7F ? c : '?';
    }
    return strOut;
}

} // namespace

bool ReadIccProfile(const std::string& strData, CIccProfile& profile, std::string& strError) {
    if (strData.size() < HeaderSize + 4 || strData.compare(36, 4, "acsp") != 0) {
        strError = "not an ICC colour profile";
        return false;
    }
    if (Big32(strData, 0) != strData.size()) {
        strError = "an ICC profile whose header gives " + std::to_string(Big32(strData, 0)) +
                   " bytes, not the file's " + std::to_string(strData.size());
        return false;
    }
    std::string strClass = strData.substr(12, 4);
    std::string strSpace = strData.substr(16, 4);
    if (strClass != "prtr" || strSpace != "CMYK") {
        strError = "a profile of class \"" + strClass + "\" for \"" + strSpace +
                   "\" colour: the output intent needs a CMYK output (printer) profile";
        return false;
    }
    std::string strConnection = strData.substr(20, 4);
    if (strConnection != "XYZ " && strConnection != "Lab ") {
        strError =
            "a profile whose connection space \"" + strConnection + "\" is neither XYZ nor Lab";
        return false;
    }
    profile.nMajorVersion = static_cast<unsigned char>(strData[8]);
    if (profile.nMajorVersion != 2 && profile.nMajorVersion != 4) {
        strError = "an ICC profile of version " + std::to_string(profile.nMajorVersion) +
                   " (a PDF of version 1.6 takes versions 2 and 4)";
        return false;
    }
    size_t nTags = Big32(strData, HeaderSize);
    if (nTags > (strData.size() - HeaderSize - 4) / 12) {
        strError = "an ICC profile whose tag table runs past its end";
        return false;
    }
    profile.strDescription.clear();
    for (size_t i = 0; i < nTags; ++i) {
        size_t nEntry = HeaderSize + 4 + 12 * i;
        uint64_t nOffset = Big32(strData, nEntry + 4);
        uint64_t nSize = Big32(strData, nEntry + 8);
        if (nOffset + nSize > strData.size() || nOffset < HeaderSize + 4) {
            strError =
                "the ICC profile's tag \"" + strData.substr(nEntry, 4) + "\" lies outside the file";
            return false;
        }
        if (strData.compare(nEntry, 4, "desc") == 0) {
            profile.strDescription = Description(strData, nOffset, nSize);
        }
    }
    profile.strData = strData;
    return true;
}

std::string DefaultOutputProfilePath() {
    const char* const pDebian = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
    if (access(pDebian, R_OK) == 0) {
        return pDebian;
    }
    glob_t found{};
    std::string strPath;
    if (glob("/usr/share/ghostscript/*/iccprofiles/default_cmyk.icc", 0, nullptr, &found) == 0 &&
        found.gl_pathc > 0) {
        strPath = found.gl_pathv[found.gl_pathc - 1];
    }
    globfree(&found);
    return strPath;
}
