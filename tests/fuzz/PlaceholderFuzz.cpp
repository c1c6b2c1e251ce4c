// A placeholder's stored strings as the publication hands them back (the
// area, then the data field name): an object that reads is composed into the
// placeholder's strings again, and those cut and read back the same.
#include "FuzzInput.h"
#include "core/NamedObject.h"
#include "core/PlaceholderText.h"

#include <cstring>

namespace {

struct CObjectRead {
    CNamedObject* pObject = NewNamedObject();
    char* pLastObject = nullptr;
    char* pLastField = nullptr;
    ~CObjectRead() {
        FreeNamedObject(pObject);
        delete[] pLastObject;
        delete[] pLastField;
    }
    int Read(std::string strArea, std::string strField) {
        char* ppStrings[] = {&strArea[0], &strField[0], nullptr};
        return ReadPlaceholderObject(ppStrings, pObject, pLastObject, pLastField);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    CFuzzInput input(pData, nSize);
    std::string strArea = input.TakeString();
    std::string strField = input.TakeString();
    CObjectRead first;
    if (first.Read(strArea, strField) == 0) {
        return 0;
    }
    FUZZ_CHECK(strlen(first.pObject->szDataField) <= MaxDataFieldName, "the field name fits");
    if (strchr(first.pObject->szDataField, '\n') != nullptr) {
        return 0; // a name no data field can have: the stored form ends it at its line feed
    }
    char cFirst = first.pObject->pArea->strName.Text()[0];
    if (cFirst == ';' || cFirst == '[') {
        return 0; // a name that would make the stored line a comment or a section
    }
    std::string strHeader = ComposePlaceholderText(*first.pObject->pArea);
    FUZZ_CHECK(strHeader.size() < PlaceholderBlockSize, "the header fits its block");
    char szComposed[PlaceholderBlockSize];
    if (ComposeStoredStrings(szComposed, sizeof szComposed, first.pObject) == 0) {
        return 0; // too long to be stored: refused on purpose
    }
    std::string strStoredArea;
    std::string strStoredField;
    FUZZ_CHECK(CutStoredStrings(szComposed, strStoredArea, strStoredField), "composed strings cut");
    CObjectRead second;
    FUZZ_CHECK(second.Read(strStoredArea, strStoredField) == 1, "stored strings read back");
    char szAgain[PlaceholderBlockSize];
    FUZZ_CHECK(ComposeStoredStrings(szAgain, sizeof szAgain, second.pObject) == 1 &&
                   strcmp(szAgain, szComposed) == 0,
               "and compose the same strings");
    return 0;
}
