// The singly linked list with head, tail, cursor and count under every list of
// the document definition, and its three typed lists.
#pragma once

#include "NameIndex.h"

#include <cstdint>
#include <functional>

class CItemList {
  public:
    typedef void* (*CopyFn)(const void* pItem);
    typedef void (*FreeFn)(void* pItem);
    // 0 when the item matches the key.
    typedef int (*CompareFn)(const void* pItem, const void* pKey);

    CItemList() = default;
    CItemList(const CItemList&) = delete;
    CItemList& operator=(const CItemList&) = delete;
    // Frees the nodes only; the typed lists free their items.
    virtual ~CItemList();

    // Appends the copy function's result, or the item itself without one;
    // -1 when the copy cannot be made.
    int Append(void* pItem, CopyFn copy = nullptr);
    void Rewind() { m_pCursor = m_pHead; }
    // The item under the cursor, then the cursor moves on; null at the end.
    void* Next();
    void* Last() const { return m_pTail != nullptr ? m_pTail->pItem : nullptr; }
    // Applies the free function to every item, frees every node, resets.
    void Clear(FreeFn free = nullptr);
    // The first item the compare function matches (pointer equality without one).
    void* Find(const void* pKey, CompareFn compare = nullptr) const;
    int32_t Count() const { return m_nCount; }
    // Grows with every append and every clearing: what keeps an index
    // beside the list in step with it.
    uint32_t Changes() const { return m_nChanges; }
    // Calls fn(item) for every item in order; the cursor stays where it is.
    template <typename Fn> void ForEachItem(Fn fn) const {
        for (const Node* pNode = m_pHead; pNode != nullptr; pNode = pNode->pNext) {
            fn(pNode->pItem);
        }
    }

  private:
    struct Node {
        void* pItem;
        Node* pNext;
    };
    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    Node* m_pCursor = nullptr;
    int32_t m_nCount = 0;
    uint32_t m_nChanges = 0;
};

class CAreaDefinition;
class CDataDefinition;
class CInstruction;

class CDataDefinitionList : public CItemList {
  public:
    CDataDefinitionList();
    ~CDataDefinitionList() override;
    virtual int AddCopy(const CDataDefinition& record);
    virtual void RemoveAll();
    CDataDefinition* NextRecord() { return static_cast<CDataDefinition*>(Next()); }
    // Visits every record in order, leaving the cursor where it is.
    template <typename Fn> void ForEachRecord(Fn visit) const {
        ForEachItem([&](const void* pItem) { visit(*static_cast<const CDataDefinition*>(pItem)); });
    }
    // The first record of the name, found through the index.
    CDataDefinition* FindByName(const CSmallString& name);

  private:
    CNameIndex m_index;
};

class CAreaDefinitionList : public CItemList {
  public:
    CAreaDefinitionList();
    ~CAreaDefinitionList() override;
    virtual int AddCopy(const CAreaDefinition& area);
    virtual void RemoveAll();
    CAreaDefinition* NextArea() { return static_cast<CAreaDefinition*>(Next()); }
    // Visits every area in order, leaving the cursor where it is.
    template <typename Fn> void ForEachArea(Fn visit) const {
        ForEachItem([&](const void* pItem) { visit(*static_cast<const CAreaDefinition*>(pItem)); });
    }
    // The first area of the name, found through the index.
    CAreaDefinition* FindByName(const CSmallString& name);

  private:
    CNameIndex m_index;
};

// Holds instructions in small cells; the list owns the instructions.
class CInstructionList : public CItemList {
  public:
    ~CInstructionList() override;
    virtual int AddCopy(CInstruction* pInstruction);
    virtual void RemoveAll();
    CInstruction* NextInstruction();
    // Visits every instruction in order, leaving the cursor where it is.
    void ForEachInstruction(const std::function<void(const CInstruction&)>& visit) const;
};
