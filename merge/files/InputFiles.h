// The files a job is read from, opened as untrusted input: only regular
// files (a pipe, a device or a folder would block, never end or read as
// nothing), never more than a limit, and the pictures a data file names only
// from inside the job's pictures folder.
#pragma once

#include <cstddef>
#include <string>

// Opens a regular file for reading without blocking on what is not one; the
// descriptor, or -1 with a message. nSize gets its size.
int OpenRegularFile(const std::string& strPath, size_t& nSize, std::string& strError);

// The whole file, when it is a regular file of at most nLimit bytes; false
// with a message naming the file otherwise.
bool ReadWholeFile(const std::string& strPath, size_t nLimit, std::string& strText,
                   std::string& strError);

// Reads up to nSize bytes at the descriptor's position: the count, 0 at the
// end, -1 on an error (interrupted reads are taken again).
long ReadSome(int nFile, char* pBuffer, size_t nSize);

// The folder holding the file ("." for a bare name).
std::string FolderOf(const std::string& strPath);

// The pictures folder of a job: a picture is a file name relative to it.
// Absolute names, drive letters, ".." and links that lead out of it are
// refused, and so is anything but a regular file within the size limit.
class CPictureFolder {
  public:
    CPictureFolder(const std::string& strFolder, size_t nMaxBytes);
    const std::string& Folder() const { return m_strFolder; }

    // The picture's real path inside the folder and its size; false with the
    // detail of the problem. A name that is refused and a file that is not
    // there read the same, so that nothing is told of what lies outside.
    bool Resolve(const std::string& strName, std::string& strPath, size_t& nSize,
                 std::string& strDetail) const;

  private:
    std::string m_strFolder;
    std::string m_strReal; // the folder's real path, empty when it has none
    size_t m_nMaxBytes;
};
