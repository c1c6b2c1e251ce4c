#include "Placeholder.h"

#include "core/NamedObject.h"
#include "core/PlaceholderText.h"
#include "core/StringIds.h"
#include "core/Units.h"
#include "plugin/channel/HostRequests.h"
#include "plugin/channel/JobFileNames.h"
#include "plugin/channel/PrivateStore.h"
#include "plugin/framework/Clipboard.h"
#include "plugin/framework/Messages.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

constexpr int MessageStyle = MB_OK | MB_ICONEXCLAMATION;

// A movable block holding the placeholder text and its NUL.
CGlobalBlock PlaceholderBlock(const CAreaDefinition& area) {
    std::string strText = ComposePlaceholderText(area);
    CGlobalBlock block = CGlobalBlock::Allocate(GMEM_MOVEABLE, PlaceholderBlockSize);
    CGlobalLock<char> text(block.Get());
    if (!text.IsLocked()) {
        return CGlobalBlock();
    }
    memcpy(text.Data(), strText.c_str(), strText.size() + 1);
    return block;
}

// Puts the block on the clipboard as the only format: 0, or the message that
// tells why not. The clipboard owns the block once it took it; the session is
// over before any message is shown.
unsigned HandToClipboard(CGlobalBlock& block, unsigned nFormat) {
    CClipboard clipboard;
    if (!clipboard.IsOpen()) {
        return IDS_CLIPBOARD_OPEN;
    }
    if (!clipboard.Empty()) {
        return IDS_CLIPBOARD_EMPTY;
    }
    if (!clipboard.SetData(nFormat, block)) {
        return IDS_CLIPBOARD_SET;
    }
    return 0;
}

// Writes strings 100, 101 and 1 to the placeholder object.
void TagPlaceholder(HostParamBlock* pBlock, const CNamedObject* pObject, int32_t nObjectId) {
    char szComposed[PlaceholderBlockSize];
    if (ComposeStoredStrings(szComposed, sizeof szComposed, pObject) == 0) {
        // Without its stored form the object is not kept as a named object.
        return;
    }
    std::string strArea;
    std::string strDataField;
    if (!CutStoredStrings(szComposed, strArea, strDataField)) {
        return;
    }
    char* apStrings[] = {&strArea[0], &strDataField[0], nullptr};
    // The strings go to the object as far as the host takes them.
    IgnoreStatus(WriteObjectList(pBlock, PlaceholderStringsIndex, nObjectId, apStrings));
    char szName[32];
    GetAreaName(szName, sizeof szName, pObject);
    IgnoreStatus(WriteObjectString(pBlock, 1, nObjectId, szName));
    IgnoreStatus(Request::CmdRequest1557(pBlock));
}

} // namespace

uint16_t FindObjectPage(HostParamBlock* pBlock, float& fX, float& fY, int16_t& nPage) {
    int32_t nOriginX = 0;
    int32_t nOriginY = 0;
    int32_t nRight = 0;
    if (Request::QueryPageOrigin(pBlock, nOriginX, nOriginY, nRight) != StatusOk) {
        return StatusFailed;
    }
    fX = fX - static_cast<float>(nOriginX) * PointsPerTwip;
    fY = fY - static_cast<float>(nOriginY) * PointsPerTwip;
    int32_t nWidth = 0;
    int32_t nHeight = 0;
    if (Request::QueryPageSize(pBlock, nWidth, nHeight) != StatusOk) {
        return StatusFailed;
    }
    float fPageWidth = static_cast<float>(nWidth) * PointsPerTwip;
    float fShown =
        static_cast<float>(nRight) * PointsPerTwip - static_cast<float>(nOriginX) * PointsPerTwip;
    if (fShown > fPageWidth) {
        // A two-page spread: the left page is the one before the current.
        if (fX <= fPageWidth) {
            --nPage;
        } else {
            fX -= fPageWidth;
        }
    }
    return StatusOk;
}

uint16_t CreatePlaceholder(HostParamBlock* pBlock, CNamedObject* pObject, int32_t nLeft,
                           int32_t nTop, CJobFileState& jobFiles, unsigned nClipboardFormat) {
    std::string strDocDef;
    std::string strPostScript;
    ComputeJobFileNames(pBlock, jobFiles, strDocDef, strPostScript);
    int16_t nPage = 0;
    if (Request::QueryCurrentPage(pBlock, nPage) != StatusOk) {
        return StatusFailed;
    }
    float fX = static_cast<float>(nLeft) * PointsPerTwip;
    float fY = fX;
    if (FindObjectPage(pBlock, fX, fY, nPage) != StatusOk) {
        ShowMessage(IDS_NO_OBJECT_SIZE, MessageStyle);
    }
    SetFileAndPage(strPostScript.c_str(), std::to_string(nPage).c_str(), pObject);

    CGlobalBlock block = PlaceholderBlock(*pObject->pArea);
    if (block.IsEmpty()) {
        return StatusFailed;
    }
    if (unsigned nMessage = HandToClipboard(block, nClipboardFormat)) {
        block.Free();
        ShowMessage(nMessage, MessageStyle);
        return StatusFailed;
    }
    IgnoreStatus(Request::CmdClearSelection(pBlock));
    if (Request::CmdPaste(pBlock) != StatusOk) {
        ShowMessage(IDS_CLIPBOARD_SET, MessageStyle);
    }
    // Whatever the host then has selected is moved and, if single, tagged.
    IgnoreStatus(Request::CmdMoveSelection(pBlock, nLeft, nTop));
    CSelectionRecord selection;
    if (Request::QuerySelection(pBlock, selection) != StatusOk) {
        return StatusOk;
    }
    if (selection.nCount == 1) {
        TagPlaceholder(pBlock, pObject, selection.nObjectId);
    }
    return StatusOk;
}
