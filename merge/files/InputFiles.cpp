#include "merge/files/InputFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

int OpenRegularFile(const std::string& strPath, size_t& nSize, std::string& strError) {
    // Without O_NONBLOCK, opening a pipe with no writer waits for ever.
    int nFile = open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (nFile < 0) {
        strError = strPath + ": " + strerror(errno);
        return -1;
    }
    struct stat status;
    if (fstat(nFile, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(nFile);
        strError = strPath + ": not a regular file";
        return -1;
    }
    fcntl(nFile, F_SETFL, fcntl(nFile, F_GETFL) & ~O_NONBLOCK);
    nSize = static_cast<size_t>(status.st_size);
    return nFile;
}

long ReadSome(int nFile, char* pBuffer, size_t nSize) {
    for (;;) {
        ssize_t nRead = read(nFile, pBuffer, nSize);
        if (nRead >= 0 || errno != EINTR) {
            return static_cast<long>(nRead);
        }
    }
}

bool ReadWholeFile(const std::string& strPath, size_t nLimit, std::string& strText,
                   std::string& strError) {
    size_t nSize = 0;
    int nFile = OpenRegularFile(strPath, nSize, strError);
    if (nFile < 0) {
        return false;
    }
    if (nSize > nLimit) {
        close(nFile);
        strError = strPath + ": " + std::to_string(nSize) + " bytes, over the limit of " +
                   std::to_string(nLimit) + " (--max-file-bytes)";
        return false;
    }
    strText.assign(nSize, '\0');
    size_t nHeld = 0;
    long nRead = 1;
    // The file may have changed size since it was looked at: read no more
    // than the limit.
    while (nRead > 0 && nHeld < nSize) {
        nRead = ReadSome(nFile, &strText[nHeld], nSize - nHeld);
        nHeld += nRead > 0 ? static_cast<size_t>(nRead) : 0;
    }
    close(nFile);
    strText.resize(nHeld);
    if (nRead < 0) {
        strError = strPath + ": cannot be read";
        return false;
    }
    return true;
}

std::string FolderOf(const std::string& strPath) {
    size_t nSlash = strPath.find_last_of('/');
    if (nSlash == std::string::npos) {
        return ".";
    }
    return nSlash == 0 ? "/" : strPath.substr(0, nSlash);
}

CPictureFolder::CPictureFolder(const std::string& strFolder, size_t nMaxBytes)
    : m_strFolder(strFolder), m_nMaxBytes(nMaxBytes) {
    char szReal[PATH_MAX];
    if (realpath(strFolder.c_str(), szReal) != nullptr) {
        m_strReal = szReal;
    }
}

bool CPictureFolder::Resolve(const std::string& strName, std::string& strPath, size_t& nSize,
                             std::string& strDetail) const {
    strDetail = "\"" + strName + "\" is not a file in the pictures folder " + m_strFolder;
    // A name written on Windows may use backslashes.
    std::string strRelative = strName;
    for (char& c : strRelative) {
        c = c == '\\' ? '/' : c;
    }
    bool bRefused = strRelative.empty() || strRelative.size() > 1024 || strRelative[0] == '/' ||
                    (strRelative.size() > 1 && strRelative[1] == ':') || m_strReal.empty();
    for (unsigned char c : strRelative) {
        bRefused = bRefused || c < 0x20 || c == 0x7F;
    }
    size_t nFrom = 0;
    while (!bRefused && nFrom <= strRelative.size()) {
        size_t nSlash = strRelative.find('/', nFrom);
        if (nSlash == std::string::npos) {
            nSlash = strRelative.size();
        }
        bRefused = strRelative.compare(nFrom, nSlash - nFrom, "..") == 0;
        nFrom = nSlash + 1;
    }
    char szReal[PATH_MAX];
    if (bRefused || realpath((m_strReal + "/" + strRelative).c_str(), szReal) == nullptr) {
        return false;
    }
    // A link may lead out of the folder.
    std::string strReal = szReal;
    if (strReal.compare(0, m_strReal.size(), m_strReal) != 0 ||
        (m_strReal != "/" && strReal.size() > m_strReal.size() &&
         strReal[m_strReal.size()] != '/') ||
        strReal.size() <= m_strReal.size()) {
        return false;
    }
    std::string strError;
    int nFile = OpenRegularFile(strReal, nSize, strError);
    if (nFile < 0) {
        strDetail = "\"" + strName + "\" is not a regular file";
        return false;
    }
    close(nFile);
    if (nSize > m_nMaxBytes) {
        strDetail = "\"" + strName + "\" is " + std::to_string(nSize) +
                    " bytes, over the limit of " + std::to_string(m_nMaxBytes) +
                    " (--max-file-bytes)";
        return false;
    }
    strPath = strReal;
    return true;
}
