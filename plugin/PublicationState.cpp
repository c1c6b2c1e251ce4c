#include "PublicationState.h"

#include "channel/HostChannel.h"
#include "channel/HostRequests.h"
#include "channel/PrivateStore.h"
#include "fields/FieldState.h"
#include "fields/SampleFile.h"
#include "fields/SampleState.h"
#include "fonts/FontMapState.h"
#include "model/OwnedText.h"
#include "model/StoredFields.h"
#include "objects/ObjectState.h"
#include "resources/StringIds.h"

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// Publication strings of the plug-in.
constexpr int32_t SampleFileIndex = 2;
constexpr int32_t FontMapIndex = 3;
constexpr int32_t CopyStartIndex = 4;
constexpr int32_t CopyEndIndex = 5;
constexpr int32_t FirstFieldIndex = 1000;

// Whether start-up could not read the stored data field run (its sample file
// string or one of its strings could not be read), and the stored lines of
// the fields it had then. While the fields are still these, shut-down leaves
// the stored run as it is instead of writing it over with what was read.
bool bFieldsUnread = false;
std::vector<std::string> loadedFieldLines;

// The strings of a null-terminated array, copied.
std::vector<std::string> StoredLines(char** ppFields) {
    std::vector<std::string> lines;
    for (char** pp = ppFields; pp != nullptr && *pp != nullptr; ++pp) {
        lines.emplace_back(*pp);
    }
    return lines;
}

// A null-terminated array of new strings, freed with its strings on every path.
using StringArray = std::unique_ptr<char*, void (*)(char**)>;

void SetFontMapPath(const std::string& strPath) {
    ReplaceOwnedText(pFontMapPath, strPath.c_str());
    // A text held from another file no longer belongs to the path.
    delete[] pFontMapText;
    pFontMapText = nullptr;
}

} // namespace

uint16_t LoadPublicationState(HostParamBlock* pBlock) {
    IgnoreStatus(Request::CmdRequest1556(pBlock));
    std::string strText;
    if (ReadPubString(pBlock, FontMapIndex, strText) == StatusOk) {
        SetFontMapPath(strText);
    }
    bool bRead = false;
    if (ReadPubString(pBlock, SampleFileIndex, strText) == StatusOk) {
        SetSampleFileName(strText.c_str());
        if (ReadPubString(pBlock, CopyStartIndex, strText) == StatusOk) {
            SetCopyStart(atoi(strText.c_str()));
        }
        if (ReadPubString(pBlock, CopyEndIndex, strText) == StatusOk) {
            SetCopyEnd(atoi(strText.c_str()));
        }
        if (!EnsureSampleCopy()) {
            SetErrorText(pBlock, IDS_SAMPLE_LOAD_FAILED, IDS_CAPTION);
            return StatusFailed;
        }
        char** ppFields = nullptr;
        uint16_t nRun = ReadPubList(pBlock, FirstFieldIndex, ppFields);
        // No run at all is read whole too; only one the host failed inside is not.
        bRead = nRun != RunNotWhole;
        if (nRun == StatusOk) {
            StringArray fields(ppFields, FreeStringArray);
            if (pDFList == nullptr) {
                pDFList = FromStoredStrings(ppFields, pCopyText);
            }
        }
    }
    if (!bRead) {
        StringArray loaded(ToStoredStrings(pDFList), FreeStringArray);
        loadedFieldLines = StoredLines(loaded.get());
        bFieldsUnread = true;
    }
    char** ppNames = nullptr;
    bool bAnswered = false;
    if (ListObjectNames(pBlock, ppNames, &bAnswered) == StatusOk) {
        StringArray names(ppNames, FreeStringArray);
        if (pObjectNameList == nullptr) {
            pObjectNameList = new CStringList;
            for (char** pp = ppNames; *pp != nullptr; ++pp) {
                pObjectNameList->Add(*pp);
            }
        }
    } else if (!bAnswered) {
        // A list too long for the reply (a catalogue), or none at all: the
        // names are learnt from the pages when the unique-name check needs them.
        bObjectNamesUnread = true;
    }
    return StatusOk;
}

uint16_t SavePublicationState(HostParamBlock* pBlock) {
    // Shut-down saves what it can: a string the host refuses does not keep
    // the others from being saved.
    if (const char* pSample = SampleFileNameForSaving()) {
        IgnoreStatus(WritePubString(pBlock, SampleFileIndex, pSample));
    }
    if (pFontMapPath != nullptr) {
        CharLowerA(pFontMapPath);
        IgnoreStatus(WritePubString(pBlock, FontMapIndex, pFontMapPath));
    }
    if (nCopyStart != -1) {
        IgnoreStatus(WritePubString(pBlock, CopyStartIndex, std::to_string(nCopyStart)));
    }
    if (nCopyEnd != -1) {
        IgnoreStatus(WritePubString(pBlock, CopyEndIndex, std::to_string(nCopyEnd)));
    }
    StringArray fields(ToStoredStrings(pDFList), FreeStringArray);
    if (!bFieldsUnread || StoredLines(fields.get()) != loadedFieldLines) {
        IgnoreStatus(WritePubList(pBlock, FirstFieldIndex, fields.get()));
    }
    return StatusOk;
}

void ForgetLoadedFields() {
    bFieldsUnread = false;
    loadedFieldLines.clear();
}
