#include "PluginModule.h"

#include "core/ParamBuffer.h"

CPluginModule::~CPluginModule() {
    Unload();
}

bool CPluginModule::Load(const std::string& strPath) {
    Unload();
    m_hModule = LoadLibraryA(strPath.c_str());
    if (m_hModule == nullptr) {
        m_strError = "cannot load " + strPath + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    m_pEntry =
        reinterpret_cast<PluginEntry>(reinterpret_cast<void*>(GetProcAddress(m_hModule, "main")));
    if (m_pEntry == nullptr) {
        m_strError = strPath + " exports no entry point called main";
        Unload();
        return false;
    }
    return true;
}

void CPluginModule::Unload() {
    if (m_hModule != nullptr) {
        FreeLibrary(m_hModule);
    }
    m_hModule = nullptr;
    m_pEntry = nullptr;
}

void* CPluginModule::ExportedData(const char* pName) const {
    if (m_hModule == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(m_hModule, pName));
}

std::vector<uint8_t> CPluginModule::CommandResource() const {
    std::vector<uint8_t> bytes;
    if (m_hModule == nullptr) {
        return bytes;
    }
    HRSRC hInfo = FindResourceExA(m_hModule, MAKEINTRESOURCEA(301), MAKEINTRESOURCEA(101),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (hInfo == nullptr) {
        return bytes;
    }
    HGLOBAL hData = LoadResource(m_hModule, hInfo);
    const uint8_t* pData = static_cast<const uint8_t*>(LockResource(hData));
    if (pData != nullptr) {
        bytes.assign(pData, pData + SizeofResource(m_hModule, hInfo));
    }
    return bytes;
}

bool CPluginModule::ReadCommands(std::vector<CPluginCommand>& commands) const {
    std::vector<uint8_t> bytes = CommandResource();
    CReplyReader reader(bytes.data(), bytes.size());
    reader.Skip(6);
    int16_t nCount = reader.Get16();
    if (reader.Short() || nCount < 0) {
        return false;
    }
    commands.clear();
    for (int16_t i = 0; i < nCount; ++i) {
        CPluginCommand command;
        command.nTextId = static_cast<uint32_t>(reader.Get32());
        command.nGroup = static_cast<uint32_t>(reader.Get32());
        command.nFlags = static_cast<uint32_t>(reader.Get32());
        command.nCommand = static_cast<uint32_t>(reader.Get32());
        command.nReserved = static_cast<uint32_t>(reader.Get32());
        if (reader.Short()) {
            return false;
        }
        command.strMenuText = CatalogueText(command.nTextId);
        commands.push_back(command);
    }
    return true;
}

std::string CPluginModule::CatalogueText(unsigned nId) const {
    char szText[1024];
    int nLength = LoadStringA(m_hModule, nId, szText, sizeof szText);
    return std::string(szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
}
