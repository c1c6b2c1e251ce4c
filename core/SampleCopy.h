// Cutting the text of the first complete copy out of the loaded sample.
#pragma once

#include <cstddef>

// A new NUL-terminated copy of the text between the offsets. The range is kept
// inside the text (nText bytes, or up to an earlier NUL): offsets before it
// start at its beginning, offsets beyond it stop at its end, and an end before
// the start gives the empty text.
char* CutCopyText(const char* pText, size_t nText, int nStart, int nEnd);
