#include "DebugOutput.h"

#include <windows.h>

namespace {

constexpr DWORD DebugPrintException = 0x40010006; // DBG_PRINTEXCEPTION_C
std::vector<std::string>* g_pLines = nullptr;

LONG CALLBACK Collect(EXCEPTION_POINTERS* pInfo) {
    const EXCEPTION_RECORD& record = *pInfo->ExceptionRecord;
    if (record.ExceptionCode == DebugPrintException && record.NumberParameters >= 2 &&
        g_pLines != nullptr) {
        const char* pText = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
        size_t nLength = static_cast<size_t>(record.ExceptionInformation[0]);
        if (pText != nullptr) {
            std::string strLine(pText, nLength);
            // The length may count the closing NUL.
            if (!strLine.empty() && strLine.back() == '\0') {
                strLine.pop_back();
            }
            g_pLines->push_back(strLine);
        }
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

CDebugOutput::CDebugOutput() {
    g_pLines = &m_lines;
    m_pHandler = AddVectoredExceptionHandler(1, Collect);
}

CDebugOutput::~CDebugOutput() {
    RemoveVectoredExceptionHandler(m_pHandler);
    g_pLines = nullptr;
}
