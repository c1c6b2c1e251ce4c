// Scanning the font mapping text: words taken two at a time, a host font name
// and the output font name it maps to; "/" at the start of a pair's first word
// comments out the rest of its line.
#pragma once

#include <cstddef>
#include <string>

// The longest word of the mapping text; a longer word is a scan error.
constexpr size_t MaxFontWord = 127;
// How much of a comment line after its first word is skipped.
constexpr size_t MaxCommentRest = 254;

class CFontMapScanner {
  public:
    enum Result { Pair, End, ScanError };

    explicit CFontMapScanner(const char* pText) : m_pNext(pText != nullptr ? pText : "") {}

    // The next complete pair; End when no pair is left (a last word without a
    // partner is ignored); ScanError at a word longer than MaxFontWord.
    Result Next(std::string& strHost, std::string& strOutput);

  private:
    enum WordResult { Word, NoWord, TooLong };
    WordResult ReadWord(std::string& strWord);
    void SkipCommentRest();

    const char* m_pNext;
};

// The output font that the first pair with exactly this host font name gives;
// false when no pair before the end or a scan error has it.
bool FindOutputFont(const char* pText, const std::string& strHost, std::string& strOutput);
