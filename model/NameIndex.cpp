#include "NameIndex.h"

#include "SmallString.h"

#include <cstring>

namespace {
// Names are compared on their first 255 characters.
constexpr size_t MaxComparedName = 255;
} // namespace

std::string CNameIndex::Key(const CSmallString& name) {
    return std::string(name.Text(), strnlen(name.Text(), MaxComparedName));
}

void CNameIndex::Reset() {
    m_bInStep = false;
    m_items.clear();
}

void CNameIndex::Add(const CSmallString& name, void* pItem) {
    m_items.emplace(Key(name), pItem);
}

void CNameIndex::MarkInStep(uint32_t nChanges) {
    m_nChanges = nChanges;
    m_bInStep = true;
}

void* CNameIndex::Find(const CSmallString& name) const {
    auto found = m_items.find(Key(name));
    return found != m_items.end() ? found->second : nullptr;
}
