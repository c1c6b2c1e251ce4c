#include "Clipboard.h"

bool CClipboard::SetData(UINT nFormat, CGlobalBlock& block) {
    if (!m_bOpen || SetClipboardData(nFormat, block.Get()) != block.Get()) {
        return false;
    }
    block.Release();
    return true;
}
