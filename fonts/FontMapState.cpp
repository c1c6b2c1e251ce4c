#include "FontMapState.h"

char* pFontMapPath = nullptr;
char* pFontMapText = nullptr;
