// A plug-in library as the host sees it: loaded, its entry and exported data
// found, its commands read from its command resource.
#pragma once

#include "plugin/channel/HostParamBlock.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

typedef uint16_t(__stdcall* PluginEntry)(HostParamBlock* pBlock);

struct CPluginCommand {
    uint32_t nTextId = 0;
    uint32_t nGroup = 0;
    uint32_t nFlags = 0;
    uint32_t nCommand = 0;
    uint32_t nReserved = 0;
    std::string strMenuText; // read from the library's string table
};

class CPluginModule {
  public:
    CPluginModule() = default;
    CPluginModule(const CPluginModule&) = delete;
    CPluginModule& operator=(const CPluginModule&) = delete;
    ~CPluginModule();

    // Loads the library and finds `main`; false with Error() set otherwise.
    bool Load(const std::string& strPath);
    void Unload();

    PluginEntry Entry() const { return m_pEntry; }
    HMODULE Module() const { return m_hModule; }
    const std::string& Error() const { return m_strError; }

    // Address of an exported variable, or null.
    void* ExportedData(const char* pName) const;
    // The raw bytes of the command resource (type 301, id 101, US English).
    std::vector<uint8_t> CommandResource() const;
    // The commands the resource announces; false when it is malformed.
    bool ReadCommands(std::vector<CPluginCommand>& commands) const;
    std::string CatalogueText(unsigned nId) const;

  private:
    HMODULE m_hModule = nullptr;
    PluginEntry m_pEntry = nullptr;
    std::string m_strError;
};
