// The stand-in host's record of every request the plug-in made.
#pragma once

#include "plugin/channel/HostParamBlock.h"

#include <cstdint>
#include <string>
#include <vector>

struct CLoggedRequest {
    HostParamBlock block{};     // the block as the host received it
    std::vector<uint8_t> input; // the parameter bytes of a buffer request
    uint16_t status = 0;        // what the host answered
    std::string note;           // why a request was refused, when it was

    uint16_t Code() const { return block.code; }
    // The input bytes as text up to the first NUL (for script lines).
    std::string InputText() const;
};

class CRequestLog {
  public:
    void Add(CLoggedRequest entry) { m_entries.push_back(std::move(entry)); }
    void Clear() { m_entries.clear(); }
    const std::vector<CLoggedRequest>& Entries() const { return m_entries; }
    // Requests with the code, in the order they came.
    std::vector<CLoggedRequest> WithCode(uint16_t nCode) const;
    // One line per request: code, inline values or input bytes in hex, reply
    // kind and capacity, status.
    std::string Format() const;

  private:
    std::vector<CLoggedRequest> m_entries;
};
