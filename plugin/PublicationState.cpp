#include "PublicationState.h"

#include "core/OwnedText.h"
#include "core/StoredFields.h"
#include "core/StringIds.h"
#include "plugin/channel/HostChannel.h"
#include "plugin/channel/HostRequests.h"
#include "plugin/channel/PrivateStore.h"
#include "plugin/fields/SampleFile.h"

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

void SetFontMapPath(CFontMapState& fontMap, const std::string& strPath) {
    ReplaceOwnedText(fontMap.pPath, strPath.c_str());
    // A text held from another file no longer belongs to the path.
    delete[] fontMap.pText;
    fontMap.pText = nullptr;
}

} // namespace

uint16_t LoadPublicationState(HostParamBlock* pBlock, CWorkingState& state) {
    CSampleState& sample = state.sample;
    CDataFieldList*& pFields = state.fields.pList;
    CObjectState& objects = state.objects;
    IgnoreStatus(Request::CmdRequest1556(pBlock));
    std::string strText;
    if (ReadPubString(pBlock, FontMapIndex, strText) == StatusOk) {
        SetFontMapPath(state.fontMap, strText);
    }
    bool bRead = false;
    if (ReadPubString(pBlock, SampleFileIndex, strText) == StatusOk) {
        sample.SetFileName(strText.c_str());
        if (ReadPubString(pBlock, CopyStartIndex, strText) == StatusOk) {
            sample.SetCopyStart(atoi(strText.c_str()));
        }
        if (ReadPubString(pBlock, CopyEndIndex, strText) == StatusOk) {
            sample.SetCopyEnd(atoi(strText.c_str()));
        }
        if (!EnsureSampleCopy(sample)) {
            SetErrorText(pBlock, IDS_SAMPLE_LOAD_FAILED, IDS_CAPTION);
            return StatusFailed;
        }
        char** ppFields = nullptr;
        uint16_t nRun = ReadPubList(pBlock, FirstFieldIndex, ppFields);
        // No run at all is read whole too; only one the host failed inside is not.
        bRead = nRun != RunNotWhole;
        if (nRun == StatusOk) {
            StringArray fields(ppFields, FreeStringArray);
            if (pFields == nullptr) {
                pFields = FromStoredStrings(ppFields, sample.pCopyText);
            }
        }
    }
    if (!bRead) {
        StringArray loaded(ToStoredStrings(pFields), FreeStringArray);
        state.storedFields.loadedLines = StoredLines(loaded.get());
        state.storedFields.bUnread = true;
    }
    char** ppNames = nullptr;
    bool bAnswered = false;
    if (ListObjectNames(pBlock, ppNames, &bAnswered) == StatusOk) {
        StringArray names(ppNames, FreeStringArray);
        if (objects.pNames == nullptr) {
            objects.pNames = new CStringList;
            for (char** pp = ppNames; *pp != nullptr; ++pp) {
                objects.pNames->Add(*pp);
            }
        }
    } else if (!bAnswered) {
        // A list too long for the reply (a catalogue), or none at all: the
        // names are learnt from the pages when the unique-name check needs them.
        objects.bNamesUnread = true;
    }
    return StatusOk;
}

uint16_t SavePublicationState(HostParamBlock* pBlock, CWorkingState& state) {
    // Shut-down saves what it can: a string the host refuses does not keep
    // the others from being saved.
    if (const char* pSample = SampleFileNameForSaving(state.sample)) {
        IgnoreStatus(WritePubString(pBlock, SampleFileIndex, pSample));
    }
    if (char* pFontMap = state.fontMap.pPath) {
        CharLowerA(pFontMap);
        IgnoreStatus(WritePubString(pBlock, FontMapIndex, pFontMap));
    }
    if (state.sample.nCopyStart != -1) {
        IgnoreStatus(
            WritePubString(pBlock, CopyStartIndex, std::to_string(state.sample.nCopyStart)));
    }
    if (state.sample.nCopyEnd != -1) {
        IgnoreStatus(WritePubString(pBlock, CopyEndIndex, std::to_string(state.sample.nCopyEnd)));
    }
    StringArray fields(ToStoredStrings(state.fields.pList), FreeStringArray);
    const CStoredFieldsState& stored = state.storedFields;
    if (!stored.bUnread || StoredLines(fields.get()) != stored.loadedLines) {
        IgnoreStatus(WritePubList(pBlock, FirstFieldIndex, fields.get()));
    }
    return StatusOk;
}
