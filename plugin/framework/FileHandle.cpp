#include "FileHandle.h"

#include "Replaceable.h"

#include <climits>

namespace {
CReplaceable<FileWriter> writer(_hwrite);
} // namespace

FileWriter SetFileWriter(FileWriter fnWriter) {
    return writer.Set(fnWriter);
}

CFileHandle CFileHandle::Create(const char* pPath) {
    return CFileHandle(_lcreat(pPath, 0));
}

CFileHandle CFileHandle::OpenForReading(const char* pPath) {
    return CFileHandle(_lopen(pPath, OF_READ));
}

long CFileHandle::Size() {
    if (!IsOpen()) {
        return -1;
    }
    LONG nEnd = _llseek(m_hFile, 0, FILE_END);
    if (_llseek(m_hFile, 0, FILE_BEGIN) != 0) {
        return -1;
    }
    return nEnd;
}

long CFileHandle::Read(void* pBuffer, long nCount) {
    if (!IsOpen()) {
        return -1;
    }
    return _hread(m_hFile, pBuffer, nCount);
}

bool CFileHandle::WriteAll(const void* pData, size_t nCount) {
    if (!IsOpen() || nCount > static_cast<size_t>(LONG_MAX)) {
        return false;
    }
    if (nCount == 0) {
        return true;
    }
    long nWritten = (*writer)(m_hFile, static_cast<LPCCH>(pData), static_cast<long>(nCount));
    return nWritten == static_cast<long>(nCount);
}

bool CFileHandle::Close() {
    if (!IsOpen()) {
        return true;
    }
    HFILE hFile = m_hFile;
    m_hFile = HFILE_ERROR;
    return _lclose(hFile) != HFILE_ERROR;
}
