#include "PlaceholderText.h"

#include "core/LineReader.h"
#include "core/NamedObject.h"
#include "core/OwnedText.h"

#include <cstdio>
#include <cstring>
#include <ostream>
#include <sstream>

namespace {

const char* const AreaPrefix = "%%NEBVArea: ";
const char* const DataPrefix = "%%NEBVData: ";

// An output stream over a fixed buffer that fails when the buffer is full.
class CFixedBuffer : public std::streambuf {
  public:
    CFixedBuffer(char* pBuffer, size_t nSize) { setp(pBuffer, pBuffer + nSize); }
    size_t Written() const { return static_cast<size_t>(pptr() - pbase()); }
};

} // namespace

std::string ComposePlaceholderText(const CAreaDefinition& area) {
    char szBox[160];
    snprintf(szBox, sizeof szBox, "%f %f %f %f\n", static_cast<double>(area.fLeft),
             static_cast<double>(area.fTop), static_cast<double>(area.fLeft + area.fWidth),
             static_cast<double>(area.fTop + area.fHeight));
    std::string strText = "%!PS-Adobe-2.0 EPSF-2.0\n%%BoundingBox: ";
    strText += szBox;
    strText += "%%Title: ";
    strText += area.strName.Text();
    strText += "\n%%Author: NEB Variable Data Support\n%%Creator: NEB Variable Data Object\n";
    if (strText.size() > PlaceholderBlockSize - 1) {
        strText.resize(PlaceholderBlockSize - 1);
    }
    return strText;
}

int ComposeStoredStrings(char* pBuffer, size_t nSize, const CNamedObject* pObject) {
    if (nSize == 0) {
        return 0;
    }
    // One byte stays for the NUL.
    CFixedBuffer buffer(pBuffer, nSize - 1);
    std::ostream out(&buffer);
    out << AreaPrefix;
    bool bWritten = !out.fail() && WriteArea(*pObject->pArea, out) == 0;
    if (bWritten) {
        out << DataPrefix << pObject->szDataField << '\n';
        out.flush();
        // The data line must fit whole too.
        bWritten = !out.fail();
    }
    pBuffer[buffer.Written()] = '\0';
    return bWritten ? 1 : 0;
}

bool CutStoredStrings(const char* pComposed, std::string& strArea, std::string& strDataField) {
    const std::string strText = pComposed != nullptr ? pComposed : "";
    size_t nArea = strText.find(AreaPrefix);
    if (nArea == std::string::npos) {
        return false;
    }
    nArea += strlen(AreaPrefix);
    size_t nAreaEnd = strText.find('\n', nArea);
    // The data line follows the area line: a file name that holds the data
    // prefix does not end the area early.
    size_t nData =
        nAreaEnd != std::string::npos ? strText.find(DataPrefix, nAreaEnd) : std::string::npos;
    if (nData == std::string::npos) {
        return false;
    }
    nData += strlen(DataPrefix);
    size_t nDataEnd = strText.find('\n', nData);
    if (nDataEnd == std::string::npos) {
        return false;
    }
    strArea = strText.substr(nArea, nAreaEnd - nArea);
    strDataField = strText.substr(nData, nDataEnd - nData);
    return true;
}

int ReadPlaceholderObject(char** ppStrings, CNamedObject* pObject, char*& pLastObjectName,
                          char*& pLastFieldName) {
    if (ppStrings == nullptr || ppStrings[0] == nullptr) {
        return 0;
    }
    std::istringstream in(std::string(ppStrings[0]) + "\n");
    RethrowReadFailures(in);
    // The stored form is read back whole, however long the job's path made it.
    if (ReadArea(*pObject->pArea, in, PlaceholderBlockSize) != 0) {
        return 0;
    }
    ReplaceOwnedText(pLastObjectName, pObject->pArea->strName.Text());
    // A placeholder without its second string has no data field.
    const char* pField = ppStrings[1] != nullptr ? ppStrings[1] : "";
    strncpy(pObject->szDataField, pField, MaxDataFieldName);
    pObject->szDataField[MaxDataFieldName] = '\0';
    if (strncmp(pObject->szDataField, "%%BoundingBox", 13) == 0) {
        pObject->szDataField[0] = '\0';
        ReplaceOwnedText(pLastFieldName, nullptr);
    } else {
        ReplaceOwnedText(pLastFieldName, pObject->szDataField);
    }
    return 1;
}

void JoinFontNameWords(std::string& strName) {
    for (size_t i = 1; i < strName.size(); ++i) {
        if (strName[i] == ' ') {
            strName[i] = '-';
        }
    }
}
