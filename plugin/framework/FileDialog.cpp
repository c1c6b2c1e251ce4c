#include "FileDialog.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

bool RunOpenFileDialog(const COpenFileRequest& request, std::string& strChosen) {
    strChosen.clear();
    // The filter's parts are separated by NULs and the list ends with two.
    std::vector<char> filter(request.strFilter.begin(), request.strFilter.end());
    for (char& c : filter) {
        if (c == '|') {
            c = '\0';
        }
    }
    filter.push_back('\0');
    filter.push_back('\0');

    char szFile[MAX_PATH] = {};
    lstrcpynA(szFile, request.strInitialName.c_str(), sizeof szFile);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = request.strFilter.empty() ? nullptr : filter.data();
    dialog.nFilterIndex = request.strFilter.empty() ? 0 : 1;
    dialog.lpstrFile = szFile;
    dialog.nMaxFile = sizeof szFile;
    dialog.lpstrInitialDir =
        request.strInitialDir.empty() ? nullptr : request.strInitialDir.c_str();
    dialog.lpstrTitle = request.strTitle.empty() ? nullptr : request.strTitle.c_str();
    dialog.Flags = request.nFlags;
    if (!GetOpenFileNameA(&dialog)) {
        return false;
    }
    strChosen = szFile;
    return true;
}
