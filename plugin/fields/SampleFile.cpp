#include "SampleFile.h"

#include "SampleState.h"
#include "core/OwnedText.h"
#include "core/PathParts.h"
#include "core/SampleCopy.h"
#include "core/StringIds.h"
#include "plugin/channel/JobFileNames.h"
#include "plugin/framework/Catalogue.h"
#include "plugin/framework/FileDialog.h"
#include "plugin/framework/FileHandle.h"
#include "plugin/framework/Messages.h"

#include <commdlg.h>

namespace {

constexpr DWORD SampleDialogFlags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;

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

CGlobalBlock LoadSampleFile(const char* pPath) {
    if (pPath == nullptr || *pPath == '\0') {
        return CGlobalBlock();
    }
    CFileHandle file = CFileHandle::OpenForReading(pPath);
    if (!file.IsOpen()) {
        return CGlobalBlock();
    }
    // A size that cannot be told is -1, which taken as unsigned is above the
    // limit too.
    DWORD nSize = static_cast<DWORD>(file.Size());
    if (nSize > MaxSampleBytes) {
        nSize = MaxSampleBytes;
    }
    CGlobalBlock block = CGlobalBlock::Allocate(GMEM_MOVEABLE, nSize + 1);
    CGlobalLock<char> text(block.Get());
    if (!text.IsLocked()) {
        return CGlobalBlock();
    }
    long nRead = file.Read(text.Data(), static_cast<long>(nSize));
    if (nRead < 1) {
        return CGlobalBlock();
    }
    text.Data()[nRead] = '\0';
    return block;
}

void ExtractCopy(CSampleState& state, HGLOBAL hSample, int nStart, int nEnd) {
    delete[] state.pCopyText;
    state.pCopyText = nullptr;
    CGlobalLock<const char> sample(hSample);
    if (!sample.IsLocked()) {
        return;
    }
    state.pCopyText = CutCopyText(sample.Data(), sample.Size(), nStart, nEnd);
}

bool BrowseForSampleFile(const char* pInitialPath, std::string& strChosen, unsigned nFilterId,
                         unsigned nTitleId) {
    CPathParts parts = SplitPath(pInitialPath != nullptr ? pInitialPath : "");
    COpenFileRequest request = SampleDialog(nFilterId, nTitleId);
    request.strInitialName = parts.strName + parts.strExt;
    request.strInitialDir = parts.strDrive + parts.strFolder;
    return RunOpenFileDialog(request, strChosen);
}

bool ChooseFirstSampleFile(const char* pDocDefPath, std::string& strChosen) {
    COpenFileRequest request = SampleDialog(IDS_SAMPLE_FILTER, IDS_SAMPLE_DIALOG_TITLE);
    if (pDocDefPath != nullptr) {
        CPathParts parts = SplitPath(pDocDefPath);
        request.strInitialDir = parts.strDrive + parts.strFolder;
    }
    return RunOpenFileDialog(request, strChosen);
}

bool EnsureSampleCopy(CSampleState& state) {
    if (state.pFile == nullptr || state.pCopyText != nullptr) {
        return true;
    }
    CGlobalBlock sample = LoadSampleFile(state.pFile);
    if (!sample.IsEmpty()) {
        ExtractCopy(state, sample.Get(), state.nCopyStart, state.nCopyEnd);
        return true;
    }
    ShowFormattedMessage(IDS_SAMPLE_NOT_FOUND, state.pFile);
    std::string strChosen;
    if (!BrowseForSampleFile(state.pFile, strChosen, IDS_SAMPLE_FILTER, IDS_SAMPLE_DIALOG_TITLE)) {
        return false;
    }
    sample = LoadSampleFile(strChosen.c_str());
    if (sample.IsEmpty()) {
        return false;
    }
    // The offsets stay: the copy is cut from the new file at the same place.
    ReplaceOwnedText(state.pFile, strChosen.c_str());
    ExtractCopy(state, sample.Get(), state.nCopyStart, state.nCopyEnd);
    return true;
}

const char* SampleFileNameForSaving(CSampleState& state) {
    if (state.pFile != nullptr) {
        CharLowerA(state.pFile);
    }
    return state.pFile;
}
