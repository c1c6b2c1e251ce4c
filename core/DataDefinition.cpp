#include "DataDefinition.h"

#include "core/AreaDefinition.h"
#include "core/Delimiters.h"
#include "core/LineReader.h"

#include <istream>
#include <ostream>
#include <sstream>
#include <string>

namespace {

const char* const UnitWords[] = {"Lines", "Chars", "TrimmedChars"};
const char* const StorageWords[] = {"Inline", "Reference"};
const char* const TypeWords[] = {"Text", "EPS", "TIFF"};

template <size_t N> int32_t IndexOf(const char* const (&words)[N], const std::string& strWord) {
    for (size_t i = 0; i < N; ++i) {
        if (strWord == words[i]) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

template <size_t N> void WriteWord(std::ostream& out, const char* const (&words)[N], int32_t n) {
    if (n >= 0 && static_cast<size_t>(n) < N) {
        out << ' ' << words[n];
    }
}

bool ParseDefinition(CDataDefinition& record, std::istream& words) {
    std::string strWord;
    if (!(words >> record.strName) || !(words >> strWord) || strWord != "Is") {
        return false;
    }
    int32_t nIndex = -1;
    if (!(words >> strWord) || (nIndex = IndexOf(UnitWords, strWord)) < 0) {
        return false;
    }
    record.nUnit = nIndex;
    if (!(words >> strWord) || (nIndex = IndexOf(StorageWords, strWord)) < 0) {
        return false;
    }
    record.nStorage = nIndex;
    if (!(words >> strWord) || (nIndex = IndexOf(TypeWords, strWord)) < 0) {
        return false;
    }
    record.nType = nIndex;
    std::string strUnit;
    if (!(words >> strWord >> record.nAt >> strUnit) || strWord != "At") {
        return false;
    }
    if (strUnit == "Chars") {
        record.nAtUnit = AtChars;
    } else if (strUnit == "Lines") {
        record.nAtUnit = AtLines;
    } else {
        return false;
    }
    if (!(words >> strWord)) {
        return false;
    }
    if (strWord == "For") {
        record.nExtentKind = ExtentFor;
        return static_cast<bool>(words >> record.strExtent);
    }
    if (strWord == "ToEnd") {
        record.nExtentKind = ExtentToEnd;
        return record.nUnit != UnitLines;
    }
    if (strWord == "Until") {
        record.nExtentKind = ExtentUntil;
        if (!(words >> record.strExtent)) {
            return false;
        }
        if (char cByte = DelimiterByte(record.strExtent.Text())) {
            record.strExtent = std::string(1, cByte).c_str();
        }
        return true;
    }
    return false;
}

} // namespace

int WriteDataDefinition(const CDataDefinition& record, std::ostream& out) {
    out << record.strName << " Is";
    WriteWord(out, UnitWords, record.nUnit);
    WriteWord(out, StorageWords, record.nStorage);
    WriteWord(out, TypeWords, record.nType);
    out << " At " << record.nAt;
    if (record.nAtUnit == AtLines) {
        out << " Lines";
    } else if (record.nAtUnit == AtChars) {
        out << " Chars";
    }
    switch (record.nExtentKind) {
    case ExtentFor:
        out << " For " << record.strExtent;
        break;
    case ExtentToEnd:
        out << " ToEnd";
        break;
    case ExtentUntil:
        out << " Until ";
        if (const char* pWord =
                record.strExtent.Text()[0] != '\0' && record.strExtent.Text()[1] == '\0'
                    ? DelimiterWord(record.strExtent.Text()[0])
                    : nullptr) {
            out << pWord;
        } else {
            out << record.strExtent;
        }
        break;
    default:
        break;
    }
    out << '\n';
    out.flush();
    return out.fail() ? ReadError : ReadOk;
}

int ReadDataDefinition(CDataDefinition& record, std::istream& in) {
    return ReadRecordLine(
        in, [&record](std::istream& words) { return ParseDefinition(record, words); });
}
