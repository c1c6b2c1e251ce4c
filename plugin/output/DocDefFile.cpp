#include "DocDefFile.h"

#include "core/StringIds.h"
#include "plugin/framework/Exceptions.h"
#include "plugin/framework/FileHandle.h"
#include "plugin/framework/Messages.h"

#include <windows.h>

#include <cstring>
#include <sstream>
#include <string>

namespace {

// A job file being written: created empty, and removed again unless it was
// written whole, so that the merge step never finds half a file.
class CNewJobFile {
  public:
    explicit CNewJobFile(const char* pPath)
        : m_pPath(pPath), m_file(CFileHandle::Create(pPath)), m_bCreated(m_file.IsOpen()) {}
    CNewJobFile(const CNewJobFile&) = delete;
    CNewJobFile& operator=(const CNewJobFile&) = delete;
    ~CNewJobFile() {
        if (m_bCreated && !m_bKept) {
            m_file.Close();
            DeleteFileA(m_pPath);
        }
    }

    bool IsCreated() const { return m_bCreated; }
    bool Write(const std::string& strBytes) {
        return m_file.WriteAll(strBytes.data(), strBytes.size());
    }
    // Closes the file and keeps it; false when closing failed.
    bool Keep() {
        m_bKept = m_file.Close();
        return m_bKept;
    }

  private:
    const char* m_pPath;
    CFileHandle m_file;
    bool m_bCreated;
    bool m_bKept = false;
};

// Creates the file and writes the document definition into it; false when
// the file could not be created or written whole, and then it is gone again.
bool WriteWholeFile(const char* pPath, CDocDef& docDef, CDataFieldList* pFields,
                    const char* pCopyText) {
    CNewJobFile file(pPath);
    if (!file.IsCreated()) {
        return false;
    }
    if (pFields != nullptr && !pFields->IsEmpty() && pCopyText != nullptr &&
        BuildDataDefinitions(*pFields, pCopyText, strlen(pCopyText), docDef) == 0) {
        ShowFrameworkMessage(IDS_DOCDEF_ERROR);
    }
    std::ostringstream text;
    if (WriteDocDef(docDef, text) != 0) {
        // Text held in memory only fails to be written when memory runs out.
        throw CMemoryException();
    }
    return file.Write(FileLines(text.str())) && file.Keep();
}

} // namespace

int WriteDocDefFile(char* pPath, CDocDef& docDef, CDataFieldList* pFields, const char* pCopyText) {
    CharLowerA(pPath);
    bool bWritten = WriteWholeFile(pPath, docDef, pFields, pCopyText);
    if (!bWritten) {
        ShowFormattedMessage(IDS_JOB_OUTPUT_FAILED, pPath);
        return 0;
    }
    return 1;
}
