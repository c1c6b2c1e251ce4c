#include "WindowImage.h"

#include <fstream>
#include <vector>

bool SaveWindowImage(HWND hWindow, const std::string& strFile) {
    RECT box;
    if (!GetWindowRect(hWindow, &box)) {
        return false;
    }
    int nWidth = box.right - box.left;
    int nHeight = box.bottom - box.top;
    if (nWidth <= 0 || nHeight <= 0) {
        return false;
    }
    HDC hScreen = GetDC(nullptr);
    HDC hMemory = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, nWidth, nHeight);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    BitBlt(hMemory, 0, 0, nWidth, nHeight, hScreen, box.left, box.top, SRCCOPY);
    SelectObject(hMemory, hOld);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = nWidth;
    header.biHeight = nHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    size_t nRow = (static_cast<size_t>(nWidth) * 3 + 3) & ~static_cast<size_t>(3);
    std::vector<char> pixels(nRow * static_cast<size_t>(nHeight));
    BITMAPINFO info{};
    info.bmiHeader = header;
    int nLines = GetDIBits(hMemory, hBitmap, 0, static_cast<UINT>(nHeight), pixels.data(), &info,
                           DIB_RGB_COLORS);
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
    ReleaseDC(nullptr, hScreen);
    if (nLines != nHeight) {
        return false;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::ofstream out(strFile, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}
