// GDI objects (brushes, fonts) that one owner deletes when it ends.
#pragma once

#include <windows.h>

template <typename Handle> class CGdiObject {
  public:
    CGdiObject() = default;
    // Takes ownership of the object (null for none).
    explicit CGdiObject(Handle hObject) : m_hObject(hObject) {}
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() { Reset(); }

    Handle Get() const { return m_hObject; }
    bool IsEmpty() const { return m_hObject == nullptr; }
    // Deletes the object held and takes the new one.
    void Reset(Handle hObject = nullptr) {
        if (m_hObject != nullptr) {
            DeleteObject(m_hObject);
        }
        m_hObject = hObject;
    }

  private:
    Handle m_hObject = nullptr;
};

using CBrush = CGdiObject<HBRUSH>;
using CFont = CGdiObject<HFONT>;
