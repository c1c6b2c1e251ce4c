// Finds a record of a list by its name without walking the list: a hash
// index kept beside the list, open addressing in one array (a name's hash
// and its record), so that looking up a name that is not there, as every new
// area of a job is, touches no record at all. Names are told apart by their
// first 255 characters, as the lists compare them. The index is in step with
// its list at one value of the list's change count; the list builds it again
// when its count has moved on behind the index's back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CSmallString;

class CNameIndex {
  public:
    // The name of a record of the list.
    typedef const CSmallString& (*NameFn)(const void* pItem);

    explicit CNameIndex(NameFn nameOf) : m_nameOf(nameOf) {}

    bool InStep(uint32_t nChanges) const { return m_bInStep && m_nChanges == nChanges; }
    // Forgets every name; out of step until marked again.
    void Reset();
    // Records the item under its name, unless an earlier item has that name.
    void Add(void* pItem);
    void MarkInStep(uint32_t nChanges);
    // The first item recorded with the name, or null.
    void* Find(const CSmallString& name) const;

  private:
    struct CSlot {
        uint32_t nHash;
        void* pItem; // null: the slot is free
    };
    static uint32_t Hash(const char* pName);
    // The slot of the name: its item's, or the free one where it would go.
    size_t SlotOf(const char* pName, uint32_t nHash) const;
    void Grow();

    NameFn m_nameOf;
    std::vector<CSlot> m_slots; // a power of two, never more than half full
    size_t m_nUsed = 0;
    uint32_t m_nChanges = 0;
    bool m_bInStep = false;
};
