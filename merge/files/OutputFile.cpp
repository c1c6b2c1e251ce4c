#include "merge/files/OutputFile.h"

#include "merge/files/InputFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

COutputFile::~COutputFile() {
    if (m_pFile != nullptr) {
        fclose(m_pFile);
    }
    if (!m_strTemporary.empty()) {
        unlink(m_strTemporary.c_str());
    }
}

bool COutputFile::Open(const std::string& strPath, std::string& strError) {
    m_strPath = strPath;
    std::string strName = strPath.substr(strPath.find_last_of('/') + 1);
    std::string strTemplate = FolderOf(strPath) + "/." + strName + ".nebmerge-XXXXXX";
    int nFile = mkstemp(&strTemplate[0]);
    if (nFile < 0) {
        strError = strPath + ": cannot be written (" + strerror(errno) + ")";
        return false;
    }
    m_strTemporary = strTemplate;
    // The file gets the permissions a new file would have, not mkstemp's.
    mode_t nMask = umask(0);
    umask(nMask);
    fchmod(nFile, 0666 & ~nMask);
    m_pFile = fdopen(nFile, "wb");
    if (m_pFile == nullptr) {
        close(nFile);
        strError = strPath + ": cannot be written";
        return false;
    }
    setvbuf(m_pFile, nullptr, _IOFBF, 1 << 20);
    return true;
}

bool COutputFile::Write(const char* pBytes, size_t nCount) {
    if (!m_bFailed && m_pFile != nullptr && fwrite(pBytes, 1, nCount, m_pFile) != nCount) {
        m_bFailed = true;
    }
    m_nWritten += nCount;
    return !m_bFailed;
}

bool COutputFile::Commit(std::string& strError) {
    bool bWritten = !m_bFailed;
    if (m_pFile != nullptr) {
        bWritten = fflush(m_pFile) == 0 && bWritten;
        bWritten = fsync(fileno(m_pFile)) == 0 && bWritten;
        bWritten = fclose(m_pFile) == 0 && bWritten;
        m_pFile = nullptr;
    }
    if (!bWritten || rename(m_strTemporary.c_str(), m_strPath.c_str()) != 0) {
        strError = m_strPath + ": cannot be written (" + strerror(errno) + ")";
        return false;
    }
    m_strTemporary.clear();
    return true;
}

std::string CanonicalPath(const std::string& strPath) {
    std::string strFolder = FolderOf(strPath);
    char szReal[PATH_MAX];
    if (realpath(strFolder.c_str(), szReal) == nullptr) {
        return strPath;
    }
    std::string strName = strPath.substr(strPath.find_last_of('/') + 1);
    return std::string(szReal) + (szReal[1] == '\0' ? "" : "/") + strName;
}

CWorkFolder::~CWorkFolder() {
    std::error_code error;
    if (!m_strPath.empty()) {
        std::filesystem::remove_all(m_strPath, error);
    }
}

bool CWorkFolder::Make(const std::string& strOutput, std::string& strError) {
    m_strPath = FolderOf(strOutput) + "/.nebmerge-XXXXXX";
    if (mkdtemp(&m_strPath[0]) == nullptr) {
        strError = strOutput + ": cannot make a working folder beside it";
        m_strPath.clear();
        return false;
    }
    return true;
}
