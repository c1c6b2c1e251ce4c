// The stored data field strings, as a publication edited by hand may hold
// them: the copy text, then the strings, NUL-separated. Whatever is read is
// stored in lines of at most 255 characters, and what is stored reads back to
// the same lines.
#include "FuzzInput.h"
#include "core/DataFieldList.h"
#include "core/StoredFields.h"

#include <cstring>
#include <memory>

namespace {

std::vector<std::string> Stored(CDataFieldList* pList) {
    std::vector<std::string> lines;
    char** ppStrings = ToStoredStrings(pList);
    for (char** pp = ppStrings; pp != nullptr && *pp != nullptr; ++pp) {
        lines.push_back(*pp);
        delete[] * pp;
    }
    delete[] ppStrings;
    return lines;
}

std::unique_ptr<CDataFieldList> Read(const std::vector<std::string>& strings,
                                     const std::string& strCopy) {
    std::vector<std::string> copies = strings;
    std::vector<char*> array;
    for (std::string& strText : copies) {
        array.push_back(&strText[0]);
    }
    array.push_back(nullptr);
    return std::unique_ptr<CDataFieldList>(FromStoredStrings(array.data(), strCopy.c_str()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    CFuzzInput input(pData, nSize);
    std::string strCopy = input.TakeString();
    std::vector<std::string> strings;
    while (!input.Empty() && strings.size() < 64) {
        strings.push_back(input.TakeString());
    }
    std::unique_ptr<CDataFieldList> list = Read(strings, strCopy);
    FUZZ_CHECK(list != nullptr, "strings give a list");
    FUZZ_CHECK(list->Count() == static_cast<int>(strings.size()), "one field per string");
    std::vector<std::string> lines = Stored(list.get());
    for (const std::string& strLine : lines) {
        FUZZ_CHECK(strLine.size() <= MaxStoredFieldLine, "a stored line fits");
    }
    // A field without a name (read from an empty or blank string) has no word
    // to be stored under; every other line reads back the same.
    std::vector<std::string> named;
    for (const std::string& strLine : lines) {
        if (strLine[0] != ' ') {
            named.push_back(strLine);
        }
    }
    std::unique_ptr<CDataFieldList> again = Read(named, strCopy);
    FUZZ_CHECK(Stored(again.get()) == named, "stored lines read back the same");
    return 0;
}
