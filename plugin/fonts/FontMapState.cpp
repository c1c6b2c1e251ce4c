#include "FontMapState.h"

void CFontMapState::Reset() {
    pPath = nullptr;
    pText = nullptr;
}

void CFontMapState::Release() {
    delete[] pPath;
    delete[] pText;
    Reset();
}
