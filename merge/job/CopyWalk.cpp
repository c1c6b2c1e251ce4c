#include "merge/job/CopyWalk.h"

#include "merge/files/InputFiles.h"

#include <unistd.h>

#include <memory>

namespace {

// The data file, open and read copy by copy from its start.
class CDataFile {
  public:
    explicit CDataFile(const CJob& job) : m_job(job) {}
    ~CDataFile() {
        if (m_nFile >= 0) {
            close(m_nFile);
        }
    }
    CDataFile(const CDataFile&) = delete;
    CDataFile& operator=(const CDataFile&) = delete;

    bool Open(std::string& strError) {
        size_t nSize = 0;
        m_nFile = OpenRegularFile(m_job.strDataFile, nSize, strError);
        if (m_nFile < 0) {
            return false;
        }
        int nFile = m_nFile;
        auto read = [nFile](char* pBuffer, size_t nCount) {
            return ReadSome(nFile, pBuffer, nCount);
        };
        if (m_job.data.bDelimited) {
            m_pSource = std::make_unique<CDelimitedSource>(
                m_job.data.columns, read, m_job.data.cSeparator, m_job.options.nMaxCopyBytes);
        } else {
            m_pSource = std::make_unique<CCopySource>(m_job.docDef.fields, read,
                                                      m_job.options.nMaxCopyBytes);
        }
        return true;
    }
    bool Next(CDataCopy& copy, std::vector<CProblem>& problems) {
        return m_pSource->Next(copy, problems);
    }
    // False with a message when the data could not be read to its end.
    bool ReadToEnd(std::string& strError) const {
        if (m_pSource->ReadFailed()) {
            strError = m_job.strDataFile + ": cannot be read to its end";
        }
        return !m_pSource->ReadFailed();
    }

  private:
    const CJob& m_job;
    int m_nFile = -1;
    std::unique_ptr<ICopySource> m_pSource;
};

} // namespace

bool ForEachCopy(const CJob& job,
                 const std::function<bool(const CDataCopy*, std::vector<CProblem>&)>& visit,
                 std::string& strError) {
    CDataFile reader(job);
    if (!reader.Open(strError)) {
        return false;
    }
    CDataCopy copy;
    std::vector<CProblem> problems;
    bool bGoOn = true;
    while (bGoOn && reader.Next(copy, problems)) {
        bGoOn = visit(&copy, problems);
        problems.clear();
    }
    // The problems of a copy that ended the cutting.
    if (bGoOn && !problems.empty()) {
        visit(nullptr, problems);
    }
    return reader.ReadToEnd(strError);
}

bool ForEachCopyInRange(const CJob& job, int nFirst, int nLast,
                        const std::function<bool(const CDataCopy&)>& write,
                        const std::function<void(int nDone)>& progress, std::string& strError) {
    bool bWritten = true;
    auto visit = [&](const CDataCopy* pCopy, std::vector<CProblem>&) {
        if (pCopy == nullptr || pCopy->nNumber < nFirst) {
            return true;
        }
        bWritten = write(*pCopy);
        if (bWritten && progress) {
            progress(pCopy->nNumber - nFirst + 1);
        }
        return bWritten && pCopy->nNumber < nLast;
    };
    return ForEachCopy(job, visit, strError) && bWritten;
}

bool ForEachSheet(
    const CJob& job, const CSheetPlan& plan, int nFirst,
    const std::function<bool(size_t nSheet, const std::vector<const CDataCopy*>&)>& write,
    const std::function<void(int nDone)>& progress, std::string& strError) {
    const int nSlots = plan.Slots();
    const bool bPiles = plan.order == StackOrder::CutStack && nSlots > 1;
    std::vector<std::unique_ptr<CDataFile>> readers;
    std::vector<CProblem> problems;
    std::vector<CDataCopy> copies(static_cast<size_t>(nSlots));
    for (int nSlot = 0; nSlot < (bPiles ? nSlots : 1); ++nSlot) {
        readers.push_back(std::make_unique<CDataFile>(job));
        long nSkip = nFirst - 1 + (bPiles ? plan.PileStart(nSlot) : 0);
        if (!readers.back()->Open(strError)) {
            return false;
        }
        for (long n = 0; n < nSkip && readers.back()->Next(copies[0], problems); ++n) {
            problems.clear();
        }
    }
    std::vector<const CDataCopy*> slots(static_cast<size_t>(nSlots));
    for (size_t nSheet = 0; nSheet < plan.nSheets; ++nSheet) {
        for (int nSlot = 0; nSlot < nSlots; ++nSlot) {
            long nCopy = plan.CopyAt(nSheet, nSlot);
            CDataCopy& copy = copies[static_cast<size_t>(nSlot)];
            slots[static_cast<size_t>(nSlot)] = nCopy < 0 ? nullptr : &copy;
            if (nCopy >= 0 &&
                (!readers[bPiles ? static_cast<size_t>(nSlot) : 0]->Next(copy, problems) ||
                 copy.nNumber != nFirst + nCopy)) {
                strError = job.strDataFile + ": changed while it was merged";
                return false;
            }
            problems.clear();
        }
        if (!write(nSheet, slots)) {
            return false;
        }
        if (progress) {
            progress(static_cast<int>(nSheet + 1));
        }
    }
    return true;
}

bool ForEachCard(
    const CJob& job, const CSheetPlan& plan, const std::vector<const CDataCopy*>& slots, int nSide,
    const std::function<bool(const CDataCopy&, const CPlannedPage&, const CCardPlace&)>& draw) {
    if (static_cast<size_t>(nSide) >= job.pages.size()) {
        return true;
    }
    const CPlannedPage& page = job.pages[static_cast<size_t>(nSide)];
    for (size_t nSlot = 0; nSlot < slots.size(); ++nSlot) {
        if (slots[nSlot] != nullptr &&
            !draw(*slots[nSlot], page,
                  plan.Place(static_cast<int>(nSlot), nSide, page.dWidth, page.dHeight))) {
            return false;
        }
    }
    return true;
}
