// The font mapping file in use: its path and its text.
#pragma once

extern char* pFontMapPath;
extern char* pFontMapText;
