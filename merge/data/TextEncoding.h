// The characters of a data file: its bytes decoded in the file's encoding
// (Windows-1252 by default, the host's; ISO-8859-1; UTF-8), and the names of
// the glyphs that show them. Text is set through a Windows-1252 font
// encoding; a character outside it is shown by its glyph name.
#pragma once

#include <string>

enum class TextEncoding { Windows1252, Latin1, Utf8 };

// The encoding named ("windows-1252", "cp1252", "iso-8859-1", "latin1",
// "utf-8", case not counting); false when the name is none of them.
bool ParseEncoding(const std::string& strName, TextEncoding& encoding);
const char* EncodingName(TextEncoding encoding);

// Stands for a byte that is not a character of the encoding.
constexpr char32_t BadByte = 0xFFFFFFFF;

// The characters of the bytes; a byte that is no character (undefined in
// Windows-1252, a C1 control in ISO-8859-1, not part of a well-formed UTF-8
// sequence) becomes BadByte.
std::u32string DecodeText(const std::string& strBytes, TextEncoding encoding);

// The code of the character in the Windows-1252 font encoding, or -1.
int WinAnsiCode(char32_t c);

// The glyph name at the code of the Windows-1252 font encoding; empty where
// the encoding has no printable character.
std::string WinAnsiGlyphName(int nCode);

// The glyph name of the character ("Lslash", "uni0416" where no common name
// is known); empty for a control character.
std::string GlyphName(char32_t c);

// The characters as UTF-8 (BadByte as U+FFFD).
std::string ToUtf8(const std::u32string& strText);
void AppendUtf8(std::string& strOut, char32_t c);
// The characters as bytes of the encoding; false when one is not in it.
bool EncodeText(const std::u32string& strText, TextEncoding encoding, std::string& strOut);

// "U+0141".
std::string CodePoint(char32_t c);
