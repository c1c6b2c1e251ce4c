#include "merge/job/Pictures.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// How much of the section's start (and end, for "(atend)") holds its header
// comments.
constexpr size_t HeaderBytes = 1 << 16;
// Names remembered beside the paths; a data file that names one picture in
// ever new ways is not remembered past this.
constexpr size_t MaxNames = 100000;

uint32_t LittleEndian32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// The four numbers of the %%BoundingBox: comment at nAt, if they make a box.
bool ParseBox(const std::string& strText, size_t nAt, double* adBox) {
    const char* p = strText.c_str() + nAt + strlen("%%BoundingBox:");
    for (int i = 0; i < 4; ++i) {
        char* pEnd = nullptr;
        adBox[i] = strtod(p, &pEnd);
        if (pEnd == p || !std::isfinite(adBox[i]) || std::fabs(adBox[i]) > 1e6) {
            return false;
        }
        for (const char* q = p; q < pEnd; ++q) {
            if (*q == '\n' || *q == '\r') {
                return false; // the numbers stand on the comment's line
            }
        }
        p = pEnd;
    }
    return adBox[2] > adBox[0] && adBox[3] > adBox[1];
}

// Where the comment begins a line of the text: the first or (bLast) the
// last; npos when it begins none.
size_t FindComment(const std::string& strText, const std::string& strComment, bool bLast) {
    bool bFirstLine = strText.compare(0, strComment.size(), strComment) == 0;
    if (bFirstLine && !bLast) {
        return 0;
    }
    size_t nAt = bLast ? strText.rfind("\n" + strComment) : strText.find("\n" + strComment);
    return nAt != std::string::npos ? nAt + 1 : bFirstLine ? 0 : std::string::npos;
}

// The bounding box of the section: in its header, or where "(atend)" sends.
bool FindBox(const std::string& strHead, const std::string& strTail, double* adBox) {
    const std::string strComment = "%%BoundingBox:";
    size_t nBox = FindComment(strHead, strComment, false);
    if (nBox == std::string::npos) {
        return false;
    }
    size_t nValue = strHead.find_first_not_of(" \t", nBox + strComment.size());
    if (nValue != std::string::npos && strHead.compare(nValue, 7, "(atend)") == 0) {
        nBox = FindComment(strTail, strComment, true);
        return nBox != std::string::npos && ParseBox(strTail, nBox, adBox);
    }
    return ParseBox(strHead, nBox, adBox);
}

} // namespace

uint64_t Fnv1a(uint64_t nHash, const char* pBytes, size_t nCount) {
    for (size_t i = 0; i < nCount; ++i) {
        nHash = (nHash ^ static_cast<unsigned char>(pBytes[i])) * 1099511628211ull;
    }
    return nHash;
}

namespace {

// From the first bytes of a file of nSize bytes: where its PostScript
// section lies, when it begins with the binary preview header; false when
// the header places it outside the file.
bool FindPostScriptSection(const std::string& strFirst, size_t nCount, size_t nSize,
                           CPicture& picture) {
    const unsigned char* pHeader = reinterpret_cast<const unsigned char*>(strFirst.data());
    if (nCount < 30 || LittleEndian32(pHeader) != 0xC6D3D0C5u) {
        return true;
    }
    picture.nOffset = LittleEndian32(pHeader + 4);
    picture.nLength = LittleEndian32(pHeader + 8);
    return picture.nOffset >= 30 && picture.nLength != 0 && picture.nOffset <= nSize &&
           picture.nLength <= nSize - picture.nOffset;
}

// What one read through a picture's PostScript section keeps: its hash,
// its head and its tail (where the bounding box may be), and whether it
// holds the word that ends a reusable stream.
struct CSectionScan {
    uint64_t nHash = FnvStart;
    std::string strHead;
    std::string strTail;
    bool bHoldsEndWord = false;

    void Add(const char* pPart, size_t nPart) {
        nHash = Fnv1a(nHash, pPart, nPart);
        if (strHead.size() < HeaderBytes) {
            strHead.append(pPart, std::min(nPart, HeaderBytes - strHead.size()));
        }
        strTail.append(pPart, nPart);
        // The word may begin in the part before.
        size_t nSearch = strTail.size() - std::min(strTail.size(), nPart + 5);
        bHoldsEndWord = bHoldsEndWord || strTail.find(StreamEndWord, nSearch) != std::string::npos;
        if (strTail.size() > 2 * HeaderBytes) {
            strTail.erase(0, strTail.size() - HeaderBytes);
        }
    }
};

} // namespace

bool ReadPicture(const std::string& strPath, CPicture& picture, DataProblem& kind,
                 std::string& strDetail) {
    kind = DataProblem::EpsWithoutBox;
    size_t nSize = 0;
    std::string strError;
    int nFile = OpenRegularFile(strPath, nSize, strError);
    if (nFile < 0) {
        kind = DataProblem::MissingEps;
        strDetail = ": cannot be read";
        return false;
    }
    picture.strPath = strPath;
    picture.nOffset = 0;
    picture.nLength = nSize;
    // Read through once: the header, the hash of the section, its tail.
    CSectionScan scan;
    std::string strChunk(HeaderBytes, '\0');
    size_t nAt = 0;
    long nRead = 0;
    while ((nRead = ReadSome(nFile, &strChunk[0], strChunk.size())) > 0) {
        size_t nCount = static_cast<size_t>(nRead);
        if (nAt == 0 && !FindPostScriptSection(strChunk, nCount, nSize, picture)) {
            close(nFile);
            strDetail = ": its preview header places the PostScript outside the file";
            return false;
        }
        // The part of this chunk inside the section.
        size_t nFrom = std::max(nAt, picture.nOffset);
        size_t nTo = std::min(nAt + nCount, picture.nOffset + picture.nLength);
        if (nFrom < nTo) {
            scan.Add(strChunk.data() + (nFrom - nAt), nTo - nFrom);
        }
        nAt += nCount;
    }
    close(nFile);
    if (nRead < 0 || nAt < picture.nOffset + picture.nLength) {
        kind = DataProblem::MissingEps;
        strDetail = ": cannot be read";
        return false;
    }
    picture.nHash = scan.nHash;
    picture.bHoldsEndWord = scan.bHoldsEndWord;
    if (!FindBox(scan.strHead, scan.strTail, picture.adBox)) {
        strDetail = " has no %%BoundingBox";
        return false;
    }
    return true;
}

CPicture* CPictures::Find(const std::string& strName, DataProblem& kind, std::string& strDetail) {
    auto named = m_byName.find(strName);
    if (named != m_byName.end()) {
        return Checked(strName, named->second, kind, strDetail);
    }
    std::string strPath;
    size_t nSize = 0;
    if (!m_folder.Resolve(strName, strPath, nSize, strDetail)) {
        kind = DataProblem::MissingEps;
        return nullptr;
    }
    CPicture* pPicture = nullptr;
    auto known = m_byPath.find(strPath);
    if (known != m_byPath.end()) {
        pPicture = known->second;
    } else {
        m_pictures.emplace_back();
        pPicture = &m_pictures.back();
        pPicture->strPath = strPath;
        pPicture->bGood = ReadPicture(strPath, *pPicture, pPicture->kind, pPicture->strProblem);
        m_byPath[strPath] = pPicture;
    }
    if (m_byName.size() < MaxNames) {
        m_byName[strName] = pPicture;
    }
    return Checked(strName, pPicture, kind, strDetail);
}

CPicture* CPictures::Checked(const std::string& strName, CPicture* pPicture, DataProblem& kind,
                             std::string& strDetail) {
    if (pPicture->bGood) {
        return pPicture;
    }
    kind = pPicture->kind;
    strDetail = "\"" + strName + "\"" + pPicture->strProblem;
    return nullptr;
}
