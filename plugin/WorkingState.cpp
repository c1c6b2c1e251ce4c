#include "WorkingState.h"

#include "PublicationState.h"
#include "channel/JobFileNames.h"
#include "fields/FieldState.h"
#include "fields/SampleState.h"
#include "fonts/FontMapState.h"
#include "framework/Exceptions.h"
#include "framework/Messages.h"
#include "objects/ObjectState.h"
#include "output/DocDefState.h"
#include "resources/StringIds.h"

#include <new>

void ResetWorkingState() {
    pDF = nullptr;
    pDFList = nullptr;
    pSampleFile = nullptr;
    nCopyStart = -1;
    nCopyEnd = -1;
    pCopyText = nullptr;
    pFontMapPath = nullptr;
    pFontMapText = nullptr;
    pObjectNameList = nullptr;
    bObjectNamesUnread = false;
    pDocDef = nullptr;
    pDocDefPath = nullptr;
    pLastObjectName = nullptr;
    pLastFieldName = nullptr;
    ForgetLoadedFields();
}

void ReleaseWorkingState() {
    try {
        DiscardDocDef();
        delete[] pDocDefPath;
        pDocDefPath = nullptr;
        delete[] pSampleFile;
        pSampleFile = nullptr;
        delete[] pFontMapPath;
        pFontMapPath = nullptr;
        delete[] pFontMapText;
        pFontMapText = nullptr;
        delete[] pCopyText;
        pCopyText = nullptr;
        delete[] pLastFieldName;
        pLastFieldName = nullptr;
        delete[] pLastObjectName;
        pLastObjectName = nullptr;
        delete pObjectNameList;
        pObjectNameList = nullptr;
        delete pDFList;
        pDFList = nullptr;
        delete pDF;
        pDF = nullptr;
    } catch (const std::bad_alloc&) {
        ShowFrameworkMessage(IDS_MEMORY_EXCEPTION);
    } catch (const CMemoryException&) {
        ShowFrameworkMessage(IDS_MEMORY_EXCEPTION);
    }
    ResetWorkingState();
}
