#include "CreateObjectCommand.h"

#include "NamedObjectDialog.h"
#include "NamedObjectLoader.h"
#include "ObjectNameWalk.h"
#include "Placeholder.h"
#include "core/NamedObject.h"
#include "core/ObjectValues.h"
#include "core/PlaceholderText.h"
#include "core/StringIds.h"
#include "core/Units.h"
#include "plugin/channel/HostRequests.h"
#include "plugin/channel/PrivateStore.h"
#include "plugin/framework/Messages.h"

#include <windows.h>

#include <string>

namespace {

constexpr unsigned WarningStyle = MB_OK | MB_ICONEXCLAMATION;

// The text attributes of the selected text block, each one the host cannot
// tell reported and left at the named object's default.
void ReadTextAttributes(HostParamBlock* pBlock, CNamedObject* pObject) {
    IgnoreStatus(Request::CmdTextRequest701(pBlock));
    IgnoreStatus(Request::CmdTextRequest702(pBlock));
    int16_t nValue = Request::Undeterminable;
    float fSize = -2;
    if (Request::QueryFontSize(pBlock, nValue) == StatusOk) {
        fSize = static_cast<float>(nValue) * 0.1f;
    } else {
        ShowMessage(IDS_NO_FONT_SIZE, WarningStyle);
    }
    float fLeading = -2;
    nValue = Request::Undeterminable;
    if (Request::QueryLeading(pBlock, nValue) == StatusOk) {
        fLeading = static_cast<float>(nValue) * 0.1f;
    } else if (nValue == -1) {
        // Automatic leading: 120 per cent of the size.
        fLeading = fSize * 1.2f;
    } else {
        ShowMessage(IDS_NO_LEADING, WarningStyle);
    }
    int16_t nAlignment = Request::Undeterminable;
    if (Request::QueryTextAlignment(pBlock, nAlignment) != StatusOk) {
        ShowMessage(IDS_NO_ALIGNMENT, WarningStyle);
        nAlignment = Request::Undeterminable;
    } else if (nAlignment == 4) {
        nAlignment = 3;
    }
    std::string strFont;
    IgnoreStatus(Request::QueryFontName(pBlock, strFont));
    int16_t nStyle = 0;
    if (Request::QueryTypeStyle(pBlock, nStyle) != StatusOk) {
        ShowMessage(IDS_NO_TYPE_STYLE, WarningStyle);
        nStyle = 0;
    } else if (nStyle > 7) {
        ShowMessage(IDS_TYPE_STYLE_IGNORED, WarningStyle);
    }
    strFont = StyledFontName(strFont, nStyle);
    SetTextAttributes(nAlignment, strFont.c_str(), fSize, fLeading, -1, -1, pObject);

    std::string strColor;
    int16_t anCmyk[4] = {};
    if (Request::QueryTextColorName(pBlock, strColor) != StatusOk) {
        ShowMessage(IDS_NO_COLOR_VALUES, WarningStyle);
    } else if (strColor.size() > Request::MaxColorName) {
        ShowMessage(IDS_NO_TEXT_COLOR, MB_OK | MB_ICONINFORMATION);
        SetColor(0, 0, 0, 1, pObject);
    } else if (Request::QueryColorCmyk(pBlock, strColor, anCmyk[0], anCmyk[1], anCmyk[2],
                                       anCmyk[3]) != StatusOk) {
        ShowMessage(IDS_NO_COLOR_VALUES, WarningStyle);
    } else {
        SetColor(anCmyk[0] * 0.001f, anCmyk[1] * 0.001f, anCmyk[2] * 0.001f, anCmyk[3] * 0.001f,
                 pObject);
    }
    SetGraphic(0, pObject);
}

} // namespace

CNamedObject* BuildNamedObjectFromSelection(HostParamBlock* pBlock, int16_t& nObjectNumber,
                                            int32_t (&anBox)[4], CObjectState& objects,
                                            CFieldState& fields) {
    CSelectionRecord selection;
    if (Request::QuerySelection(pBlock, selection) != StatusOk) {
        return nullptr;
    }
    CNamedObject* pObject = NewNamedObject();
    SetColor(-1, -1, -1, -1, pObject);
    if (selection.nCount != 1) {
        FreeNamedObject(pObject);
        return nullptr;
    }
    if (unsigned nRefusal = KindRefusal(selection.nKind)) {
        ShowMessage(nRefusal, WarningStyle);
        FreeNamedObject(pObject);
        return nullptr;
    }
    if (selection.nKind == TextBlockKind) {
        ReadTextAttributes(pBlock, pObject);
    } else {
        char** ppStrings = nullptr;
        if (selection.nKind == PlaceholderKind &&
            ReadObjectList(pBlock, PlaceholderStringsIndex, selection.nObjectId, ppStrings) ==
                StatusOk) {
            // A placeholder made earlier: its named object comes back.
            ReadPlaceholderObject(ppStrings, pObject, objects.pLastName, fields.pLastName);
            SetGraphic(IsGraphic(pObject), pObject);
            FreeStringArray(ppStrings);
        } else {
            SetGraphic(1, pObject);
        }
    }
    ComputeObjectRectangle(pBlock, selection, pObject);
    nObjectNumber = selection.nObjectNumber;
    for (int i = 0; i < 4; ++i) {
        anBox[i] = selection.anCoords[i];
    }
    // The text requests may have moved the selection: the object itself again.
    IgnoreStatus(Request::CmdSelectObject(pBlock, nObjectNumber));
    return pObject;
}

uint16_t CreateVariableDataObject(HostParamBlock* pBlock, const CNamedObjectParts& parts) {
    CObjectState& objects = parts.objects;
    std::string strDocDef;
    std::string strPostScript;
    ComputeJobFileNames(pBlock, parts.jobFiles, strDocDef, strPostScript);
    int16_t nObjectNumber = 0;
    int32_t anBox[4] = {};
    CNamedObject* pObject =
        BuildNamedObjectFromSelection(pBlock, nObjectNumber, anBox, objects, parts.fields);
    if (pObject == nullptr) {
        ShowMessage(IDS_USE_POINTER_TOOL, WarningStyle);
        return StatusOk;
    }
    try {
        if (objects.bNamesUnread) {
            if (objects.pNames == nullptr) {
                objects.pNames = new CStringList;
            }
            // Learnt once; a walk the host broke off is taken again next time.
            objects.bNamesUnread =
                LearnObjectNames(pBlock, nObjectNumber, *objects.pNames) != StatusOk;
        }
        if (EditNamedObject(GetActiveWindow(), pObject, parts)) {
            IgnoreStatus(CreatePlaceholder(pBlock, pObject, anBox[0], anBox[1], parts.jobFiles,
                                           objects.nEpsClipboardFormat));
        }
    } catch (...) {
        FreeNamedObject(pObject);
        throw;
    }
    FreeNamedObject(pObject);
    return StatusOk;
}
