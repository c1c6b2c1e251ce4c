#include "FontMap.h"

#include "core/FontMapScanner.h"
#include "core/OwnedText.h"
#include "core/PathParts.h"
#include "core/StringIds.h"
#include "plugin/framework/Catalogue.h"
#include "plugin/framework/FileHandle.h"
#include "plugin/framework/Messages.h"

#include <memory>

bool LocateFontMap(CFontMapState& state) {
    std::string strModule = LoadCatalogueString(IDS_MODULE_NAME);
    char szPath[MAX_PATH + 1] = {};
    DWORD nLength = GetModuleFileNameA(GetModuleHandleA(strModule.c_str()), szPath, MAX_PATH);
    if (nLength == 0) {
        return false;
    }
    CPathParts parts = SplitPath(szPath);
    std::string strFolder = parts.strDrive + parts.strFolder;
    for (unsigned nNameId : {IDS_FONT_MAP_NAME, IDS_FONT_MAP_NAME_UPPER}) {
        std::string strFile = strFolder + LoadCatalogueString(nNameId);
        if (LoadFontMap(state, strFile.c_str())) {
            return true;
        }
    }
    return false;
}

bool RequireFontMap(CFontMapState& state) {
    if (state.pText != nullptr || LocateFontMap(state)) {
        return true;
    }
    ShowFrameworkMessage(IDS_FONT_MAP_MISSING);
    return false;
}

bool LoadFontMap(CFontMapState& state, const char* pPath) {
    if (state.pText != nullptr) {
        return true;
    }
    DWORD nAttributes = GetFileAttributesA(pPath);
    if (nAttributes == INVALID_FILE_ATTRIBUTES || (nAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    ReplaceOwnedText(state.pPath, pPath);

    // The whole file, or nothing.
    std::unique_ptr<char[]> text;
    CFileHandle file = CFileHandle::OpenForReading(pPath);
    long nSize = file.Size();
    if (nSize >= 0) {
        text.reset(new char[static_cast<size_t>(nSize) + 1]);
        if (file.Read(text.get(), nSize) == nSize) {
            text[nSize] = '\0';
        } else {
            text.reset();
        }
    }
    if (text == nullptr) {
        ShowFrameworkMessage(IDS_FONT_MAP_UNREADABLE);
        ReplaceOwnedText(state.pPath, nullptr);
        return false;
    }
    state.pText = text.release();
    return true;
}

void FillFontList(const CFontMapState& state, HWND hList) {
    SendMessageA(hList, CB_RESETCONTENT, 0, 0);
    CFontMapScanner scanner(state.pText);
    std::string strHost;
    std::string strOutput;
    CFontMapScanner::Result result;
    while ((result = scanner.Next(strHost, strOutput)) == CFontMapScanner::Pair) {
        LRESULT nFound = SendMessageA(hList, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(strOutput.c_str()));
        if (nFound == CB_ERR) {
            SendMessageA(hList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strOutput.c_str()));
        }
    }
    if (result == CFontMapScanner::ScanError) {
        ShowFrameworkMessage(IDS_FONT_MAP_ERROR);
    }
}

bool MapFontName(const CFontMapState& state, std::string& strResult, HWND hList,
                 const char* pRequested) {
    if (pRequested == nullptr) {
        return false;
    }
    LRESULT nFound = SendMessageA(hList, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(pRequested));
    if (nFound != CB_ERR) {
        strResult = pRequested;
        return true;
    }
    return FindOutputFont(state.pText, pRequested, strResult);
}
