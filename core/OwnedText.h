// Owned C strings: texts allocated with new[] that one variable owns.
#pragma once

// A copy of the text in a new[] block, or null for null.
char* DuplicateText(const char* pText);

// Makes the owned text a copy of the given one (null for null). The copy is
// made before the old text is freed, so that a failed allocation leaves the
// owner as it was, and a text may be replaced by itself.
void ReplaceOwnedText(char*& pOwned, const char* pText);
