#include "HtmlHelp.h"

#include <htmlhelp.h>

namespace {
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HMODULE hLibrary = nullptr;
HtmlHelpFunction fnHtmlHelp = nullptr;

bool LoadHtmlHelp() {
    if (fnHtmlHelp == nullptr && hLibrary == nullptr) {
        hLibrary = LoadLibraryA("hhctrl.ocx");
        if (hLibrary != nullptr) {
            fnHtmlHelp = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(GetProcAddress(hLibrary, "HtmlHelpA")));
        }
    }
    return fnHtmlHelp != nullptr;
}
} // namespace

HWND ShowHtmlTopic(HWND hOwner, const std::string& strUrl, const std::string& strCaption) {
    if (!LoadHtmlHelp()) {
        return nullptr;
    }
    HWND hHelp = fnHtmlHelp(hOwner, strUrl.c_str(), HH_DISPLAY_TOPIC, 0);
    if (hHelp != nullptr) {
        // The window names the topic it shows, whichever page was open before.
        SetWindowTextA(hHelp, strCaption.c_str());
    }
    return hHelp;
}

void CloseHtmlHelp() {
    if (fnHtmlHelp != nullptr) {
        fnHtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
    }
    if (hLibrary != nullptr) {
        FreeLibrary(hLibrary);
    }
    hLibrary = nullptr;
    fnHtmlHelp = nullptr;
}
