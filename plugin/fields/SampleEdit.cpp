#include "SampleEdit.h"

#include "core/FieldSelection.h"

#include <string>
#include <vector>

namespace {

const char* const EditProcProperty = "NebSampleEditProc";

// Selects the comma-separated item of the line that holds the caret.
void SelectCommaItem(HWND hEdit) {
    DWORD nStart = 0;
    DWORD nEnd = 0;
    SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&nStart),
                 reinterpret_cast<LPARAM>(&nEnd));
    LRESULT nLine = SendMessageA(hEdit, EM_LINEFROMCHAR, nEnd, 0);
    LRESULT nLineStart = SendMessageA(hEdit, EM_LINEINDEX, static_cast<WPARAM>(nLine), 0);
    LRESULT nLength = SendMessageA(hEdit, EM_LINELENGTH, static_cast<WPARAM>(nLineStart), 0);
    // EM_GETLINE takes the buffer's size in its first word.
    std::vector<char> line(static_cast<size_t>(nLength) + sizeof(WORD) + 1, '\0');
    *reinterpret_cast<WORD*>(line.data()) = static_cast<WORD>(line.size() - 1);
    LRESULT nCopied = SendMessageA(hEdit, EM_GETLINE, static_cast<WPARAM>(nLine),
                                   reinterpret_cast<LPARAM>(line.data()));
    std::string strLine(line.data(), static_cast<size_t>(nCopied > 0 ? nCopied : 0));
    int32_t nItemStart = 0;
    int32_t nItemEnd = 0;
    CommaItemAt(strLine, static_cast<int32_t>(nStart) - static_cast<int32_t>(nLineStart),
                nItemStart, nItemEnd);
    SendMessageA(hEdit, EM_SETSEL, static_cast<WPARAM>(nLineStart + nItemStart),
                 static_cast<LPARAM>(nLineStart + nItemEnd));
    SendMessageA(hEdit, EM_SCROLLCARET, 0, 0);
}

LRESULT CALLBACK SampleEditProc(HWND hEdit, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    auto editProc = reinterpret_cast<WNDPROC>(GetPropA(hEdit, EditProcProperty));
    if (nMessage == WM_LBUTTONDBLCLK) {
        SelectCommaItem(hEdit);
        return 0;
    }
    if (nMessage == WM_NCDESTROY) {
        SetWindowLongPtrA(hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc));
        RemovePropA(hEdit, EditProcProperty);
    }
    return CallWindowProcA(editProc, hEdit, nMessage, wParam, lParam);
}

} // namespace

void MakeSampleEdit(HWND hEdit) {
    if (hEdit == nullptr || GetPropA(hEdit, EditProcProperty) != nullptr) {
        return;
    }
    LONG_PTR editProc = GetWindowLongPtrA(hEdit, GWLP_WNDPROC);
    SetPropA(hEdit, EditProcProperty, reinterpret_cast<HANDLE>(editProc));
    SetWindowLongPtrA(hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SampleEditProc));
}
