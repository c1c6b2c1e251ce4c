// Exceptions raised by the framework and the run-time. The plug-in's own
// operations report failures with status codes; only these travel as
// exceptions, and the command guard turns them into messages.
#pragma once

#include <stdexcept>
#include <string>

class CException : public std::runtime_error {
  public:
    explicit CException(const std::string& strWhat) : std::runtime_error(strWhat) {}
};

// Memory could not be allocated (std::bad_alloc counts the same).
class CMemoryException : public CException {
  public:
    CMemoryException() : CException("memory exhausted") {}
};

// A file could not be opened, read or written.
class CFileException : public CException {
  public:
    CFileException(const std::string& strFile, unsigned long nOsError)
        : CException("file error on " + strFile), m_strFile(strFile), m_nOsError(nOsError) {}

    const std::string& File() const { return m_strFile; }
    unsigned long OsError() const { return m_nOsError; }

  private:
    std::string m_strFile;
    unsigned long m_nOsError;
};
