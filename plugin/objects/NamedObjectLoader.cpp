#include "NamedObjectLoader.h"

#include "Placeholder.h"
#include "core/NamedObject.h"
#include "core/PlaceholderText.h"
#include "core/StringIds.h"
#include "core/Units.h"
#include "plugin/channel/HostRequests.h"
#include "plugin/channel/PrivateStore.h"
#include "plugin/framework/Catalogue.h"
#include "plugin/framework/Messages.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

// ZTM5015 for the named object, in a standard message box with the plug-in's caption.
void ShowFieldInvalid(const char* pObjectName) {
    std::string strMessage = FormatCatalogueString(IDS_OBJECT_FIELD_INVALID, pObjectName);
    MessageBoxA(GetActiveWindow(), strMessage.c_str(), LoadCatalogueString(IDS_CAPTION).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

void ComputeObjectRectangle(HostParamBlock* pBlock, CSelectionRecord& selection,
                            CNamedObject* pObject) {
    const int32_t* pCoords = selection.anCoords;
    int32_t nLeft = pCoords[0];
    int32_t nTop = pCoords[1];
    int32_t nRight = pCoords[2];
    int32_t nBottom = pCoords[3];
    if (selection.nRotated != 0) {
        // The upright box around the four corner points.
        nLeft = std::min({pCoords[0], pCoords[2], pCoords[4], pCoords[6]});
        nRight = std::max({pCoords[0], pCoords[2], pCoords[4], pCoords[6]});
        nTop = std::min({pCoords[1], pCoords[3], pCoords[5], pCoords[7]});
        nBottom = std::max({pCoords[1], pCoords[3], pCoords[5], pCoords[7]});
    }
    float fLeft = static_cast<float>(nLeft) * PointsPerTwip;
    float fTop = static_cast<float>(nTop) * PointsPerTwip;
    float fWidth = static_cast<float>(nRight) * PointsPerTwip - fLeft;
    float fHeight = static_cast<float>(nBottom) * PointsPerTwip - fTop;
    selection.anCoords[0] = static_cast<int32_t>(fLeft * 20);
    selection.anCoords[1] = static_cast<int32_t>(fTop * 20);
    int16_t nPage = 0;
    if (FindObjectPage(pBlock, fLeft, fTop, nPage) != StatusOk) {
        ShowMessage(IDS_NO_OBJECT_SIZE, MB_OK | MB_ICONEXCLAMATION);
    }
    SetBounds(fLeft, fTop, fWidth, fHeight, pObject);
}

uint16_t LoadNamedObject(HostParamBlock* pBlock, CNamedObject* pObject, int32_t nObjectNumber,
                         CFieldState& fields, CObjectState& objects) {
    // Whether the object was selected shows in the selection that follows.
    IgnoreStatus(Request::CmdSelectObject(pBlock, nObjectNumber));
    CSelectionRecord selection;
    char** ppStrings = nullptr;
    uint16_t nRun = StatusFailed;
    if (Request::QuerySelection(pBlock, selection) != StatusOk ||
        selection.nObjectNumber != nObjectNumber ||
        (nRun = ReadObjectList(pBlock, PlaceholderStringsIndex, selection.nObjectId, ppStrings)) ==
            RunNotWhole) {
        // An object that cannot be looked at (the host did not select it,
        // report it or hand over its strings) must not drop out of the job
        // unseen: the job stops, and the user is told.
        OutputDebugStringA("Cannot read the selected object!\n");
        ShowFrameworkMessage(IDS_DOCDEF_ERROR);
        return StatusFailed;
    }
    if (nRun != StatusOk) {
        return NotANamedObject;
    }
    bool bRead =
        ReadPlaceholderObject(ppStrings, pObject, objects.pLastName, fields.pLastName) != 0;
    FreeStringArray(ppStrings);
    if (!bRead) {
        // A damaged placeholder stops the job: it must neither reach the
        // document definition without its name nor pass on another object's
        // data field. It is named by its name string, as far as that reads.
        std::string strName;
        IgnoreStatus(ReadObjectString(pBlock, 1, selection.nObjectId, strName));
        ShowFieldInvalid(strName.c_str());
        return StatusFailed;
    }
    ComputeObjectRectangle(pBlock, selection, pObject);
    std::string strField = fields.pLastName != nullptr ? fields.pLastName : "";
    if (strField.size() > 255) {
        strField.resize(255);
    }
    if (DataFieldExists(fields.pList, strField.c_str())) {
        return NamedObjectLoaded;
    }
    ShowFieldInvalid(objects.pLastName);
    return StatusFailed;
}
