// A file the merge step writes: written under a temporary name beside its
// final one and renamed when whole, so that a failed or interrupted run
// (a full disk, an error in a later copy) never leaves a truncated file
// under the final name.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class COutputFile {
  public:
    COutputFile() = default;
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;
    // Removes the temporary file unless the output was committed.
    ~COutputFile();

    // Creates the temporary file beside strPath; false with a message.
    bool Open(const std::string& strPath, std::string& strError);
    const std::string& Path() const { return m_strPath; }
    // The temporary file's path, for a writer of its own (Ghostscript).
    const std::string& TemporaryPath() const { return m_strTemporary; }
    // False once anything could not be written.
    bool Write(const char* pBytes, size_t nCount);
    bool Write(const std::string& strText) { return Write(strText.data(), strText.size()); }
    // The bytes written so far: where the next byte lands.
    uint64_t Written() const { return m_nWritten; }
    // Writes out, syncs and closes the file and gives it its final name;
    // false with a message (and nothing under the final name) otherwise.
    bool Commit(std::string& strError);

  private:
    std::string m_strPath;
    std::string m_strTemporary;
    FILE* m_pFile = nullptr;
    bool m_bFailed = false;
    uint64_t m_nWritten = 0;
};

// A folder of the merge step's own beside an output, for what it makes on
// the way (previews, the PDF's forms), removed with what it holds.
class CWorkFolder {
  public:
    CWorkFolder() = default;
    CWorkFolder(const CWorkFolder&) = delete;
    CWorkFolder& operator=(const CWorkFolder&) = delete;
    ~CWorkFolder();

    // Makes the folder beside strOutput; false with a message.
    bool Make(const std::string& strOutput, std::string& strError);
    const std::string& Path() const { return m_strPath; }

  private:
    std::string m_strPath;
};

// The path as an absolute one, its folder resolved: two names of one file
// give the same text, whether the file exists or not.
std::string CanonicalPath(const std::string& strPath);
