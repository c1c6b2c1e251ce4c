#include "merge/data/TextEncoding.h"

#include <strings.h>

#include <cstdio>

namespace {

// Glyph names of printable ASCII, from the space on.
const char* const AsciiNames[] = {
    "space",       "exclam",
    "quotedbl",    "numbersign",
    "dollar",      "percent",
    "ampersand",   "quotesingle",
    "parenleft",   "parenright",
    "asterisk",    "plus",
    "comma",       "hyphen",
    "period",      "slash",
    "zero",        "one",
    "two",         "three",
    "four",        "five",
    "six",         "seven",
    "eight",       "nine",
    "colon",       "semicolon",
    "less",        "equal",
    "greater",     "question",
    "at",          "A",
    "B",           "C",
    "D",           "E",
    "F",           "G",
    "H",           "I",
    "J",           "K",
    "L",           "M",
    "N",           "O",
    "P",           "Q",
    "R",           "S",
    "T",           "U",
    "V",           "W",
    "X",           "Y",
    "Z",           "bracketleft",
    "backslash",   "bracketright",
    "asciicircum", "underscore",
    "grave",       "a",
    "b",           "c",
    "d",           "e",
    "f",           "g",
    "h",           "i",
    "j",           "k",
    "l",           "m",
    "n",           "o",
    "p",           "q",
    "r",           "s",
    "t",           "u",
    "v",           "w",
    "x",           "y",
    "z",           "braceleft",
    "bar",         "braceright",
    "asciitilde",
};

// Glyph names of U+00A0 to U+00FF.
const char* const LatinNames[] = {
    "space",
    "exclamdown",
    "cent",
    "sterling",
    "currency",
    "yen",
    "brokenbar",
    "section",
    "dieresis",
    "copyright",
    "ordfeminine",
    "guillemotleft",
    "logicalnot",
    "hyphen",
    "registered",
    "macron",
    "degree",
    "plusminus",
    "twosuperior",
    "threesuperior",
    "acute",
    "mu",
    "paragraph",
    "periodcentered",
    "cedilla",
    "onesuperior",
    "ordmasculine",
    "guillemotright",
    "onequarter",
    "onehalf",
    "threequarters",
    "questiondown",
    "Agrave",
    "Aacute",
    "Acircumflex",
    "Atilde",
    "Adieresis",
    "Aring",
    "AE",
    "Ccedilla",
    "Egrave",
    "Eacute",
    "Ecircumflex",
    "Edieresis",
    "Igrave",
    "Iacute",
    "Icircumflex",
    "Idieresis",
    "Eth",
    "Ntilde",
    "Ograve",
    "Oacute",
    "Ocircumflex",
    "Otilde",
    "Odieresis",
    "multiply",
    "Oslash",
    "Ugrave",
    "Uacute",
    "Ucircumflex",
    "Udieresis",
    "Yacute",
    "Thorn",
    "germandbls",
    "agrave",
    "aacute",
    "acircumflex",
    "atilde",
    "adieresis",
    "aring",
    "ae",
    "ccedilla",
    "egrave",
    "eacute",
    "ecircumflex",
    "edieresis",
    "igrave",
    "iacute",
    "icircumflex",
    "idieresis",
    "eth",
    "ntilde",
    "ograve",
    "oacute",
    "ocircumflex",
    "otilde",
    "odieresis",
    "divide",
    "oslash",
    "ugrave",
    "uacute",
    "ucircumflex",
    "udieresis",
    "yacute",
    "thorn",
    "ydieresis",
};

struct CNamedChar {
    char32_t c;
    const char* pName;
};

// Windows-1252 bytes 0x80 to 0x9F; a zero character is no character.
const CNamedChar WinAnsiHigh[] = {
    {0x20AC, "Euro"},
    {0, ""},
    {0x201A, "quotesinglbase"},
    {0x0192, "florin"},
    {0x201E, "quotedblbase"},
    {0x2026, "ellipsis"},
    {0x2020, "dagger"},
    {0x2021, "daggerdbl"},
    {0x02C6, "circumflex"},
    {0x2030, "perthousand"},
    {0x0160, "Scaron"},
    {0x2039, "guilsinglleft"},
    {0x0152, "OE"},
    {0, ""},
    {0x017D, "Zcaron"},
    {0, ""},
    {0, ""},
    {0x2018, "quoteleft"},
    {0x2019, "quoteright"},
    {0x201C, "quotedblleft"},
    {0x201D, "quotedblright"},
    {0x2022, "bullet"},
    {0x2013, "endash"},
    {0x2014, "emdash"},
    {0x02DC, "tilde"},
    {0x2122, "trademark"},
    {0x0161, "scaron"},
    {0x203A, "guilsinglright"},
    {0x0153, "oe"},
    {0, ""},
    {0x017E, "zcaron"},
    {0x0178, "Ydieresis"},
};

// Glyph names of U+0100 to U+017F (Latin Extended-A).
const char* const LatinExtendedNames[] = {
    "Amacron",       "amacron",       "Abreve",       "abreve",
    "Aogonek",       "aogonek",       "Cacute",       "cacute",
    "Ccircumflex",   "ccircumflex",   "Cdotaccent",   "cdotaccent",
    "Ccaron",        "ccaron",        "Dcaron",       "dcaron",
    "Dcroat",        "dcroat",        "Emacron",      "emacron",
    "Ebreve",        "ebreve",        "Edotaccent",   "edotaccent",
    "Eogonek",       "eogonek",       "Ecaron",       "ecaron",
    "Gcircumflex",   "gcircumflex",   "Gbreve",       "gbreve",
    "Gdotaccent",    "gdotaccent",    "Gcommaaccent", "gcommaaccent",
    "Hcircumflex",   "hcircumflex",   "Hbar",         "hbar",
    "Itilde",        "itilde",        "Imacron",      "imacron",
    "Ibreve",        "ibreve",        "Iogonek",      "iogonek",
    "Idotaccent",    "dotlessi",      "IJ",           "ij",
    "Jcircumflex",   "jcircumflex",   "Kcommaaccent", "kcommaaccent",
    "kgreenlandic",  "Lacute",        "lacute",       "Lcommaaccent",
    "lcommaaccent",  "Lcaron",        "lcaron",       "Ldot",
    "ldot",          "Lslash",        "lslash",       "Nacute",
    "nacute",        "Ncommaaccent",  "ncommaaccent", "Ncaron",
    "ncaron",        "napostrophe",   "Eng",          "eng",
    "Omacron",       "omacron",       "Obreve",       "obreve",
    "Ohungarumlaut", "ohungarumlaut", "OE",           "oe",
    "Racute",        "racute",        "Rcommaaccent", "rcommaaccent",
    "Rcaron",        "rcaron",        "Sacute",       "sacute",
    "Scircumflex",   "scircumflex",   "Scedilla",     "scedilla",
    "Scaron",        "scaron",        "Tcommaaccent", "tcommaaccent",
    "Tcaron",        "tcaron",        "Tbar",         "tbar",
    "Utilde",        "utilde",        "Umacron",      "umacron",
    "Ubreve",        "ubreve",        "Uring",        "uring",
    "Uhungarumlaut", "uhungarumlaut", "Uogonek",      "uogonek",
    "Wcircumflex",   "wcircumflex",   "Ycircumflex",  "ycircumflex",
    "Ydieresis",     "Zacute",        "zacute",       "Zdotaccent",
    "zdotaccent",    "Zcaron",        "zcaron",       "longs",
};

// Other characters common in names and addresses.
const CNamedChar OtherNames[] = {
    {0x02C7, "caron"},  {0x02D8, "breve"},        {0x02D9, "dotaccent"}, {0x02DA, "ring"},
    {0x02DB, "ogonek"}, {0x02DD, "hungarumlaut"}, {0x2044, "fraction"},  {0x2212, "minus"},
    {0xFB01, "fi"},     {0xFB02, "fl"},
};

static_assert(sizeof AsciiNames / sizeof *AsciiNames == 95, "printable ASCII");
static_assert(sizeof LatinNames / sizeof *LatinNames == 96, "U+00A0 to U+00FF");
static_assert(sizeof LatinExtendedNames / sizeof *LatinExtendedNames == 128, "Latin Extended-A");

std::u32string DecodeUtf8(const std::string& strBytes) {
    std::u32string strOut;
    size_t i = 0;
    while (i < strBytes.size()) {
        unsigned char c = static_cast<unsigned char>(strBytes[i]);
        if (c < 0x80) {
            strOut += c;
            ++i;
            continue;
        }
        int nMore = c >= 0xC2 && c <= 0xDF   ? 1
                    : c >= 0xE0 && c <= 0xEF ? 2
                    : c >= 0xF0 && c <= 0xF4 ? 3
                                             : -1;
        if (nMore < 0 || i + static_cast<size_t>(nMore) >= strBytes.size()) {
            strOut += BadByte;
            ++i;
            continue;
        }
        char32_t value = c & (0x3F >> nMore);
        bool bGood = true;
        for (int k = 1; k <= nMore && bGood; ++k) {
            unsigned char next = static_cast<unsigned char>(strBytes[i + static_cast<size_t>(k)]);
            bGood = (next & 0xC0) == 0x80;
            value = (value << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are no characters.
        bGood = bGood && !(nMore == 2 && value < 0x800) && !(nMore == 3 && value < 0x10000) &&
                !(value >= 0xD800 && value <= 0xDFFF) && value <= 0x10FFFF;
        if (!bGood) {
            strOut += BadByte;
            ++i;
            continue;
        }
        strOut += value;
        i += static_cast<size_t>(nMore) + 1;
    }
    return strOut;
}

} // namespace

namespace {

// Each encoding: its name as messages give it, and the other name it is
// known by; either is taken in any case.
struct CEncodingName {
    TextEncoding encoding;
    const char* pName;
    const char* pAlias;
};
const CEncodingName EncodingNames[] = {
    {TextEncoding::Windows1252, "Windows-1252", "cp1252"},
    {TextEncoding::Latin1, "ISO-8859-1", "latin1"},
    {TextEncoding::Utf8, "UTF-8", "utf8"},
};

bool SameLetters(const std::string& strText, const char* pName) {
    return strcasecmp(strText.c_str(), pName) == 0;
}

} // namespace

bool ParseEncoding(const std::string& strName, TextEncoding& encoding) {
    for (const CEncodingName& name : EncodingNames) {
        if (SameLetters(strName, name.pName) || SameLetters(strName, name.pAlias)) {
            encoding = name.encoding;
            return true;
        }
    }
    return false;
}

const char* EncodingName(TextEncoding encoding) {
    for (const CEncodingName& name : EncodingNames) {
        if (name.encoding == encoding) {
            return name.pName;
        }
    }
    return "";
}

std::u32string DecodeText(const std::string& strBytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        return DecodeUtf8(strBytes);
    }
    std::u32string strOut;
    strOut.reserve(strBytes.size());
    for (char byte : strBytes) {
        unsigned char c = static_cast<unsigned char>(byte);
        if (c < 0x80 || c >= 0xA0) {
            strOut += c;
        } else if (encoding == TextEncoding::Windows1252 && WinAnsiHigh[c - 0x80].c != 0) {
            strOut += WinAnsiHigh[c - 0x80].c;
        } else {
            strOut += BadByte;
        }
    }
    return strOut;
}

int WinAnsiCode(char32_t c) {
    if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<int>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (WinAnsiHigh[i].c == c && c != 0) {
            return 0x80 + i;
        }
    }
    return -1;
}

std::string GlyphName(char32_t c) {
    if (c >= 0x20 && c <= 0x7E) {
        return AsciiNames[c - 0x20];
    }
    if (c >= 0xA0 && c <= 0xFF) {
        return LatinNames[c - 0xA0];
    }
    if (c >= 0x100 && c <= 0x17F) {
        return LatinExtendedNames[c - 0x100];
    }
    if (c < 0xA0 || c == BadByte) {
        return "";
    }
    for (const CNamedChar& named : WinAnsiHigh) {
        if (named.c == c) {
            return named.pName;
        }
    }
    for (const CNamedChar& named : OtherNames) {
        if (named.c == c) {
            return named.pName;
        }
    }
    char szName[16];
    snprintf(szName, sizeof szName, c <= 0xFFFF ? "uni%04X" : "u%X", static_cast<unsigned>(c));
    return szName;
}

std::string WinAnsiGlyphName(int nCode) {
    char cByte = static_cast<char>(nCode);
    return nCode < 0x20
               ? ""
               : GlyphName(DecodeText(std::string(1, cByte), TextEncoding::Windows1252)[0]);
}

std::string ToUtf8(const std::u32string& strText) {
    std::string strOut;
    for (char32_t c : strText) {
        AppendUtf8(strOut, c);
    }
    return strOut;
}

bool EncodeText(const std::u32string& strText, TextEncoding encoding, std::string& strOut) {
    strOut.clear();
    for (char32_t c : strText) {
        if (encoding == TextEncoding::Utf8) {
            AppendUtf8(strOut, c);
            continue;
        }
        int nCode = encoding == TextEncoding::Windows1252    ? WinAnsiCode(c)
                    : (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) ? static_cast<int>(c)
                                                             : -1;
        if (nCode < 0 && c != '\t' && c != '\n') {
            return false;
        }
        strOut += static_cast<char>(nCode < 0 ? c : static_cast<char32_t>(nCode));
    }
    return true;
}

void AppendUtf8(std::string& strOut, char32_t c) {
    if (c == BadByte || c > 0x10FFFF) {
        c = 0xFFFD;
    }
    if (c < 0x80) {
        strOut += static_cast<char>(c);
    } else if (c < 0x800) {
        strOut += static_cast<char>(0xC0 | (c >> 6));
        strOut += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        strOut += static_cast<char>(0xE0 | (c >> 12));
        strOut += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        strOut += static_cast<char>(0xF0 | (c >> 18));
        strOut += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        strOut += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string CodePoint(char32_t c) {
    char szText[16];
    snprintf(szText, sizeof szText, "U+%04X", static_cast<unsigned>(c));
    return szText;
}
