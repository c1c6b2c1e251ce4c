#include "merge/data/DataFormat.h"

#include "merge/data/TextEncoding.h"

#include <strings.h>

#include <algorithm>

bool ParseDataFormat(const std::string& strName, DataFormat& format) {
    const struct {
        const char* pName;
        DataFormat format;
    } Names[] = {
        {"records", DataFormat::Records}, {"csv", DataFormat::Csv}, {"tsv", DataFormat::Tsv}};
    for (const auto& name : Names) {
        if (strcasecmp(strName.c_str(), name.pName) == 0) {
            format = name.format;
            return true;
        }
    }
    return false;
}

DataFormat FormatOf(const std::string& strPath, const std::string& strNamed) {
    DataFormat format = DataFormat::Records;
    if (!strNamed.empty() && ParseDataFormat(strNamed, format)) {
        return format;
    }
    size_t nDot = strPath.find_last_of("./");
    std::string strExtension =
        nDot != std::string::npos && strPath[nDot] == '.' ? strPath.substr(nDot + 1) : "";
    if (strcasecmp(strExtension.c_str(), "csv") == 0) {
        return DataFormat::Csv;
    }
    bool bTabs = strcasecmp(strExtension.c_str(), "tsv") == 0 ||
                 strcasecmp(strExtension.c_str(), "tab") == 0;
    return bTabs ? DataFormat::Tsv : DataFormat::Records;
}

bool ParseSeparator(const std::string& strName, char& cSeparator) {
    const struct {
        const char* pWord;
        const char* pSign;
        char cSeparator;
    } Names[] = {{"comma", ",", ','}, {"semicolon", ";", ';'}, {"tab", "\t", '\t'}};
    for (const auto& name : Names) {
        if (strcasecmp(strName.c_str(), name.pWord) == 0 || strName == name.pSign) {
            cSeparator = name.cSeparator;
            return true;
        }
    }
    return false;
}

std::string PackedKind(const std::string& strStart) {
    if (strStart.compare(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") == 0) {
        return "an Excel 97-2003 workbook (.xls) or another Office file";
    }
    if (strStart.compare(0, 4, "PK\x03\x04") != 0) {
        return "";
    }
    // A ZIP archive: the members named near its start tell the workbooks.
    if (strStart.find("application/vnd.oasis.opendocument.spreadsheet") != std::string::npos) {
        return "an OpenDocument spreadsheet (.ods)";
    }
    if (strStart.find("xl/") != std::string::npos ||
        strStart.find("[Content_Types].xml") != std::string::npos) {
        return "an Excel workbook (.xlsx)";
    }
    return "a ZIP archive";
}

bool LooksUtf8(const std::string& strStart) {
    // A sequence cut by the end is left out.
    size_t nEnd = strStart.size();
    for (size_t nBack = 1; nBack <= std::min<size_t>(3, nEnd); ++nBack) {
        auto c = static_cast<unsigned char>(strStart[nEnd - nBack]);
        if (c >= 0xC0) {
            nEnd -= nBack;
            break;
        }
        if (c < 0x80) {
            break;
        }
    }
    std::string strWhole = strStart.substr(0, nEnd);
    std::u32string strChars = DecodeText(strWhole, TextEncoding::Utf8);
    bool bPastAscii = std::any_of(strWhole.begin(), strWhole.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return bPastAscii && std::find(strChars.begin(), strChars.end(), BadByte) == strChars.end();
}
