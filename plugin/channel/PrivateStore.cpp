#include "PrivateStore.h"

#include "HostRequests.h"
#include "core/OwnedText.h"
#include "core/ScriptLines.h"

#include <windows.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

using StringReader = std::function<uint16_t(int32_t nIndex, std::string& strText)>;

// Counts the run, then reads it again into a new array. The string that
// ended the count is asked for once more: when the host hands it over now, it
// only failed to before, and the run is not whole. So is a run a string of
// which cannot be read the second time.
uint16_t ReadRun(int32_t nFirst, bool bMarkerEndsRun, const StringReader& read,
                 const char* pDebugLine, char**& ppStrings) {
    ppStrings = nullptr;
    std::string strText;
    int32_t nCount = 0;
    auto EndsRun = [&](int32_t nIndex) {
        return read(nIndex, strText) != StatusOk ||
               (bMarkerEndsRun && strText == InvalidPrivateString);
    };
    while (!EndsRun(nFirst + nCount)) {
        ++nCount;
    }
    if (!EndsRun(nFirst + nCount)) {
        OutputDebugStringA(pDebugLine);
        return RunNotWhole;
    }
    if (nCount == 0) {
        return StatusFailed;
    }
    char** ppRun = new char*[static_cast<size_t>(nCount) + 1]();
    for (int32_t i = 0; i < nCount; ++i) {
        if (read(nFirst + i, strText) != StatusOk) {
            OutputDebugStringA(pDebugLine);
            FreeStringArray(ppRun);
            return RunNotWhole;
        }
        ppRun[i] = DuplicateText(strText.c_str());
    }
    ppStrings = ppRun;
    return StatusOk;
}

} // namespace

uint16_t ReadPubString(HostParamBlock* pBlock, int32_t nIndex, std::string& strText) {
    return Request::QueryPrivateString(pBlock, ReadPubStringLine(nIndex), strText);
}

uint16_t WritePubString(HostParamBlock* pBlock, int32_t nIndex, const std::string& strText) {
    return Request::CmdPrivateString(pBlock, WritePubStringLine(nIndex, strText)) == StatusOk
               ? StatusOk
               : StatusFailed;
}

uint16_t DeletePubString(HostParamBlock* pBlock, int32_t nIndex) {
    return Request::CmdDeletePrivateString(pBlock, nIndex) == StatusOk ? StatusOk : StatusFailed;
}

uint16_t ReadPubList(HostParamBlock* pBlock, int32_t nFirst, char**& ppStrings) {
    return ReadRun(
        nFirst, true,
        [pBlock](int32_t nIndex, std::string& strText) {
            return ReadPubString(pBlock, nIndex, strText);
        },
        "Big problem occured!!!\n", ppStrings);
}

uint16_t WritePubList(HostParamBlock* pBlock, int32_t nFirst, char** ppStrings) {
    int32_t nIndex = nFirst;
    for (char** pp = ppStrings; pp != nullptr && *pp != nullptr; ++pp) {
        // Each string is written in turn; one the host refuses does not stop the rest.
        IgnoreStatus(WritePubString(pBlock, nIndex++, *pp));
    }
    // A shorter run leaves nothing of a longer one behind it.
    std::string strText;
    while (ReadPubString(pBlock, nIndex, strText) == StatusOk) {
        IgnoreStatus(DeletePubString(pBlock, nIndex++));
    }
    return StatusOk;
}

uint16_t ReadObjectString(HostParamBlock* pBlock, int32_t nIndex, int32_t nObjectId,
                          std::string& strText) {
    uint16_t nStatus =
        Request::QueryPrivateString(pBlock, ReadObjectStringLine(nIndex, nObjectId), strText);
    strText = UnescapeQuotes(strText);
    return nStatus;
}

uint16_t WriteObjectString(HostParamBlock* pBlock, int32_t nIndex, int32_t nObjectId,
                           const std::string& strText) {
    std::string strLine = WriteObjectStringLine(nIndex, nObjectId, EscapeQuotes(strText));
    return Request::CmdPrivateString(pBlock, strLine) == StatusOk ? StatusOk : StatusFailed;
}

uint16_t ReadObjectList(HostParamBlock* pBlock, int32_t nFirst, int32_t nObjectId,
                        char**& ppStrings) {
    return ReadRun(
        nFirst, false,
        [pBlock, nObjectId](int32_t nIndex, std::string& strText) {
            return ReadObjectString(pBlock, nIndex, nObjectId, strText);
        },
        "Big problem occured for object!!!\n", ppStrings);
}

uint16_t WriteObjectList(HostParamBlock* pBlock, int32_t nFirst, int32_t nObjectId,
                         char** ppStrings) {
    int32_t nIndex = nFirst;
    for (char** pp = ppStrings; pp != nullptr && *pp != nullptr; ++pp) {
        IgnoreStatus(WriteObjectString(pBlock, nIndex++, nObjectId, *pp));
    }
    return StatusOk;
}

uint16_t ListObjectNames(HostParamBlock* pBlock, char**& ppNames, bool* pbAnswered) {
    ppNames = nullptr;
    std::vector<CPrivateDataObject> objects;
    if (Request::QueryObjectsWithPrivateData(pBlock, objects, pbAnswered) != StatusOk) {
        return StatusFailed;
    }
    char** ppList = new char*[objects.size() + 1]();
    for (size_t i = 0; i < objects.size(); ++i) {
        // The name takes at most the length the host reported for it.
        size_t nLength = objects[i].nLength > 0 ? static_cast<size_t>(objects[i].nLength) : 0;
        std::string strName;
        // An object whose name cannot be read is listed with an empty one.
        IgnoreStatus(ReadObjectString(pBlock, 1, objects[i].nObjectId, strName));
        if (strName.size() > nLength) {
            strName.resize(nLength);
        }
        ppList[i] = DuplicateText(strName.c_str());
    }
    ppNames = ppList;
    return StatusOk;
}

void FreeStringArray(char** ppStrings) {
    for (char** pp = ppStrings; pp != nullptr && *pp != nullptr; ++pp) {
        delete[] * pp;
    }
    delete[] ppStrings;
}
