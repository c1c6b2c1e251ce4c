// A file opened through the run-time's classic file calls (_lopen, _lcreat),
// closed when this ends, whatever happened in between.
#pragma once

#include <windows.h>

#include <cstddef>

// What writes bytes to an open file: _hwrite, unless a test puts a writer of
// its own in (to make a write come up short). Returns the bytes written, or
// HFILE_ERROR.
using FileWriter = long(WINAPI*)(HFILE hFile, LPCCH pData, long nCount);

// Replaces the writer; returns the one it replaces. Null restores _hwrite.
FileWriter SetFileWriter(FileWriter writer);

class CFileHandle {
  public:
    CFileHandle() = default;
    CFileHandle(CFileHandle&& other) noexcept : m_hFile(other.m_hFile) {
        other.m_hFile = HFILE_ERROR;
    }
    CFileHandle& operator=(CFileHandle&&) = delete;
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    ~CFileHandle() { Close(); }

    // Creates the file, or empties an existing one, for writing.
    static CFileHandle Create(const char* pPath);
    // Opens an existing file for reading.
    static CFileHandle OpenForReading(const char* pPath);

    bool IsOpen() const { return m_hFile != HFILE_ERROR; }
    // The size of the file, the read position left at its start; -1 when it
    // cannot be told.
    long Size();
    // Reads up to nCount bytes; the number read, or -1.
    long Read(void* pBuffer, long nCount);
    // Writes every byte; false when the write failed or came up short.
    bool WriteAll(const void* pData, size_t nCount);
    // Closes the file; false when closing failed. Closing a closed file does nothing.
    bool Close();

  private:
    explicit CFileHandle(HFILE hFile) : m_hFile(hFile) {}
    HFILE m_hFile = HFILE_ERROR;
};
