// Files that a test makes in the folder of the test program, removed when it
// ends. (The Open dialog moves the current folder, so it is not used.)
#pragma once

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class CTestFiles {
  public:
    CTestFiles() = default;
    CTestFiles(const CTestFiles&) = delete;
    CTestFiles& operator=(const CTestFiles&) = delete;
    ~CTestFiles() {
        // A folder that is the current one cannot be removed.
        SetCurrentDirectoryA(FullPath("").c_str());
        for (auto it = m_paths.rbegin(); it != m_paths.rend(); ++it) {
            if (!DeleteFileA(it->c_str())) {
                RemoveDirectoryA(it->c_str());
            }
        }
    }

    // The full path of a name in the test program's folder.
    static std::string FullPath(const std::string& strName) {
        char szPath[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, szPath, sizeof szPath);
        std::string strFolder = szPath;
        return strFolder.substr(0, strFolder.find_last_of('\\') + 1) + strName;
    }

    // Writes the bytes to the named file and returns its full path.
    std::string Write(const std::string& strName, const std::string& strBytes) {
        std::string strPath = FullPath(strName);
        HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD nWritten = 0;
        WriteFile(hFile, strBytes.data(), static_cast<DWORD>(strBytes.size()), &nWritten, nullptr);
        CloseHandle(hFile);
        m_paths.push_back(strPath);
        return strPath;
    }

    std::string Folder(const std::string& strName) {
        std::string strPath = FullPath(strName);
        CreateDirectoryA(strPath.c_str(), nullptr);
        m_paths.push_back(strPath);
        return strPath;
    }

    // The bytes of a file, empty when it cannot be read.
    static std::string Read(const std::string& strPath) {
        std::ifstream in(strPath, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    // The text with every line feed made CR LF, as files are written.
    static std::string WithCrLf(const std::string& strText) {
        std::string strOut;
        for (char c : strText) {
            if (c == '\n') {
                strOut += '\r';
            }
            strOut += c;
        }
        return strOut;
    }

  private:
    std::vector<std::string> m_paths;
};
