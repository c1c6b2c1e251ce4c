// The string type of the area definitions and the document definition: text
// shorter than 32 characters lives inline, longer text in a heap block.
#pragma once

#include <cstdint>
#include <iosfwd>

class CSmallString {
  public:
    // The longest word read from a text stream; the rest of a longer word is
    // read and dropped, so that the stream stays at the next word.
    static constexpr int32_t MaxWord = 999;

    CSmallString() { m_szInline[0] = '\0'; }
    CSmallString(const char* pText); // NOLINT: converts like a string literal
    CSmallString(const CSmallString& other);
    CSmallString& operator=(const CSmallString& other);
    CSmallString& operator=(const char* pText);
    ~CSmallString();

    // Replaces the text by the first nLength bytes of pText. If the heap
    // block cannot be had, the string becomes empty.
    void Assign(const char* pText, int32_t nLength);

    const char* Text() const { return m_pText; }
    int32_t Length() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    bool IsInline() const { return m_pText == m_szInline; }
    bool Equals(const char* pText) const;

  private:
    static constexpr int32_t InlineSize = 32;
    void Release();

    int32_t m_nLength = 0;
    char* m_pText = m_szInline;
    char m_szInline[InlineSize];
};

// Writes the text.
std::ostream& operator<<(std::ostream& out, const CSmallString& text);
// Reads one word (a run of non-blank characters) of at most MaxWord characters.
std::istream& operator>>(std::istream& in, CSmallString& text);
