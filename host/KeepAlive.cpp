// A hidden window that keeps the test session's wineserver company, so that
// Wine's background services stay with it and not with a test's pipes. It
// ends when its window is closed or the wineserver stops.
#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = hInstance;
    windowClass.lpszClassName = "NebKeepAlive";
    RegisterClassA(&windowClass);
    CreateWindowA("NebKeepAlive", "keep-alive", 0, 0, 0, 0, 0, nullptr, nullptr, hInstance,
                  nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}
