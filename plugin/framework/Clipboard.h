// One session with the clipboard: opened when this is made, closed when it
// ends, whatever happened in between.
#pragma once

#include "GlobalMemory.h"

#include <windows.h>

class CClipboard {
  public:
    // Opens the clipboard for the calling thread, owned by no window.
    CClipboard() : m_bOpen(OpenClipboard(nullptr) != FALSE) {}
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;
    ~CClipboard() {
        if (m_bOpen) {
            CloseClipboard();
        }
    }

    bool IsOpen() const { return m_bOpen; }
    // Empties the clipboard and makes this session its owner.
    bool Empty() { return m_bOpen && EmptyClipboard() != FALSE; }
    // Hands the block to the clipboard under the format. True when the
    // clipboard took it: the block belongs to the clipboard then, and the
    // owner given here is empty.
    bool SetData(UINT nFormat, CGlobalBlock& block);

  private:
    bool m_bOpen;
};
