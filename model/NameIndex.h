// Finds a record of a list by its name without walking the list: a hash
// index kept beside the list. Names are told apart by their first 255
// characters, as the lists compare them. The index is in step with its list
// at one value of the list's change count; the list builds it again when
// its count has moved on behind the index's back.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

class CSmallString;

class CNameIndex {
  public:
    bool InStep(uint32_t nChanges) const { return m_bInStep && m_nChanges == nChanges; }
    // Forgets every name; out of step until marked again.
    void Reset();
    // Records the item under its name, unless an earlier item has that name.
    void Add(const CSmallString& name, void* pItem);
    void MarkInStep(uint32_t nChanges);
    // The first item recorded with the name, or null.
    void* Find(const CSmallString& name) const;

  private:
    static std::string Key(const CSmallString& name);

    std::unordered_map<std::string, void*> m_items;
    uint32_t m_nChanges = 0;
    bool m_bInStep = false;
};
