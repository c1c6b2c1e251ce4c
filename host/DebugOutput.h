// Collects what the plug-in writes to the debugger output while it lives:
// OutputDebugString raises a debug-print exception, which a first-chance
// handler can read before the system passes it on.
#pragma once

#include <string>
#include <vector>

class CDebugOutput {
  public:
    CDebugOutput();
    CDebugOutput(const CDebugOutput&) = delete;
    CDebugOutput& operator=(const CDebugOutput&) = delete;
    ~CDebugOutput();

    const std::vector<std::string>& Lines() const { return m_lines; }

  private:
    void* m_pHandler;
    std::vector<std::string> m_lines;
};
