#include "SampleFile.h"

#include "SampleCopy.h"
#include "SampleState.h"
#include "framework/FileDialog.h"
#include "framework/PathParts.h"
#include "model/DataField.h"
#include "output/DocDefState.h"
#include "plugin/Messages.h"
#include "resources/StringIds.h"

#include <commdlg.h>

namespace {

constexpr DWORD SampleDialogFlags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;

// The locked text of a sample block; unlocked when this ends.
class CLockedSample {
  public:
    explicit CLockedSample(HGLOBAL hBlock)
        : m_hBlock(hBlock),
          m_pText(hBlock ? static_cast<const char*>(GlobalLock(hBlock)) : nullptr) {}
    CLockedSample(const CLockedSample&) = delete;
    CLockedSample& operator=(const CLockedSample&) = delete;
    ~CLockedSample() {
        if (m_pText != nullptr) {
            GlobalUnlock(m_hBlock);
        }
    }
    const char* Text() const { return m_pText; }
    size_t Size() const { return m_pText != nullptr ? GlobalSize(m_hBlock) : 0; }

  private:
    HGLOBAL m_hBlock;
    const char* m_pText;
};

COpenFileRequest SampleDialog(unsigned nFilterId, unsigned nTitleId) {
    COpenFileRequest request;
    if (nFilterId != 0) {
        request.strFilter = LoadCatalogueString(nFilterId);
    }
    request.strTitle = LoadCatalogueString(nTitleId);
    request.nFlags = SampleDialogFlags;
    return request;
}

} // namespace

HGLOBAL LoadSampleFile(const char* pPath) {
    if (pPath == nullptr || *pPath == '\0') {
        return nullptr;
    }
    HFILE hFile = _lopen(pPath, OF_READ);
    if (hFile == HFILE_ERROR) {
        return nullptr;
    }
    LONG nEnd = _llseek(hFile, 0, FILE_END);
    _llseek(hFile, 0, FILE_BEGIN);
    // A failed seek gives -1, which taken as unsigned is above the limit too.
    DWORD nSize = static_cast<DWORD>(nEnd);
    if (nSize > MaxSampleBytes) {
        nSize = MaxSampleBytes;
    }
    HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, nSize + 1);
    char* pData = hBlock != nullptr ? static_cast<char*>(GlobalLock(hBlock)) : nullptr;
    if (pData == nullptr) {
        if (hBlock != nullptr) {
            GlobalFree(hBlock);
        }
        _lclose(hFile);
        return nullptr;
    }
    long nRead = _hread(hFile, pData, static_cast<long>(nSize));
    _lclose(hFile);
    if (nRead < 1) {
        GlobalUnlock(hBlock);
        GlobalFree(hBlock);
        return nullptr;
    }
    pData[nRead] = '\0';
    GlobalUnlock(hBlock);
    return hBlock;
}

void ExtractCopy(HGLOBAL hSample, int nStart, int nEnd) {
    delete[] pCopyText;
    pCopyText = nullptr;
    CLockedSample sample(hSample);
    if (sample.Text() == nullptr) {
        return;
    }
    pCopyText = CutCopyText(sample.Text(), sample.Size(), nStart, nEnd);
}

bool BrowseForSampleFile(const char* pInitialPath, std::string& strChosen, unsigned nFilterId,
                         unsigned nTitleId) {
    CPathParts parts = SplitPath(pInitialPath != nullptr ? pInitialPath : "");
    COpenFileRequest request = SampleDialog(nFilterId, nTitleId);
    request.strInitialName = parts.strName + parts.strExt;
    request.strInitialDir = parts.strDrive + parts.strFolder;
    return RunOpenFileDialog(request, strChosen);
}

bool ChooseFirstSampleFile(std::string& strChosen) {
    COpenFileRequest request = SampleDialog(IDS_SAMPLE_FILTER, IDS_SAMPLE_DIALOG_TITLE);
    if (pDocDefPath != nullptr) {
        CPathParts parts = SplitPath(pDocDefPath);
        request.strInitialDir = parts.strDrive + parts.strFolder;
    }
    return RunOpenFileDialog(request, strChosen);
}

bool EnsureSampleCopy() {
    if (pSampleFile == nullptr || pCopyText != nullptr) {
        return true;
    }
    HGLOBAL hSample = LoadSampleFile(pSampleFile);
    if (hSample != nullptr) {
        ExtractCopy(hSample, nCopyStart, nCopyEnd);
        GlobalFree(hSample);
        return true;
    }
    ShowFormattedMessage(IDS_SAMPLE_NOT_FOUND, pSampleFile);
    std::string strChosen;
    if (!BrowseForSampleFile(pSampleFile, strChosen, IDS_SAMPLE_FILTER, IDS_SAMPLE_DIALOG_TITLE)) {
        return false;
    }
    hSample = LoadSampleFile(strChosen.c_str());
    if (hSample == nullptr) {
        return false;
    }
    // The offsets stay: the copy is cut from the new file at the same place.
    char* pChosen = DuplicateText(strChosen.c_str());
    delete[] pSampleFile;
    pSampleFile = pChosen;
    ExtractCopy(hSample, nCopyStart, nCopyEnd);
    GlobalFree(hSample);
    return true;
}

const char* SampleFileNameForSaving() {
    if (pSampleFile != nullptr) {
        CharLowerA(pSampleFile);
    }
    return pSampleFile;
}
