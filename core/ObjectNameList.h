// A list of owned names: the publication's named objects, read at start-up.
#pragma once

#include <cstddef>

// A list of owned strings whose storage grows in blocks of ten entries.
class CStringList {
  public:
    CStringList() = default;
    CStringList(const CStringList&) = delete;
    CStringList& operator=(const CStringList&) = delete;
    ~CStringList();

    // Appends a copy of the text.
    void Add(const char* pText);
    size_t Count() const { return m_nCount; }
    const char* At(size_t nIndex) const { return nIndex < m_nCount ? m_ppItems[nIndex] : nullptr; }
    // 1 when an entry equals the text byte for byte.
    int Contains(const char* pText) const;
    // Removes the first entry that equals the text byte for byte, if any.
    void Remove(const char* pText);

  private:
    static constexpr size_t GrowBy = 10;
    char** m_ppItems = nullptr;
    size_t m_nCount = 0;
    size_t m_nCapacity = 0;
};
