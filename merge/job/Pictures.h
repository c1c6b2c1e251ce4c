// The pictures a job's data files name: each distinct picture found inside
// the pictures folder, read and checked once, and remembered with what the
// merge needs to place it (its PostScript section, its bounding box).
#pragma once

#include "merge/data/DataCopies.h"
#include "merge/files/InputFiles.h"

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>

// The word that, with a hash after it, ends a reusable stream in the
// merged file.
constexpr const char* StreamEndWord = "NebEnd";

struct CPicture {
    std::string strPath; // real path inside the pictures folder
    size_t nOffset = 0;  // the PostScript section: after a binary preview header
    size_t nLength = 0;
    double adBox[4] = {};       // %%BoundingBox: llx lly urx ury
    uint64_t nHash = 0;         // of the PostScript section
    int nUses = 0;              // copies of the merged range that place it
    int nStream = 0;            // its reusable stream in the merged file; 0: placed inline
    bool bHoldsEndWord = false; // holds StreamEndWord: it cannot be a reusable stream
    bool bGood = false;         // else the problem, its detail after the name
    DataProblem kind = DataProblem::MissingEps;
    std::string strProblem;
};

// The FNV-1a hash of the bytes, going on from nHash (start with FnvStart).
constexpr uint64_t FnvStart = 14695981039346656037ull;
uint64_t Fnv1a(uint64_t nHash, const char* pBytes, size_t nCount);

// Reads the picture's PostScript section and its bounding box, and hashes
// the section; false with the problem (its detail follows the name).
bool ReadPicture(const std::string& strPath, CPicture& picture, DataProblem& kind,
                 std::string& strDetail);

class CPictures {
  public:
    explicit CPictures(CPictureFolder folder) : m_folder(std::move(folder)) {}
    const CPictureFolder& Folder() const { return m_folder; }

    // The picture a value names, checked; null with the problem. A picture
    // is read once, however many copies name it and by whatever name.
    CPicture* Find(const std::string& strName, DataProblem& kind, std::string& strDetail);
    // Every picture read, in the order first found.
    std::deque<CPicture>& All() { return m_pictures; }

  private:
    static CPicture* Checked(const std::string& strName, CPicture* pPicture, DataProblem& kind,
                             std::string& strDetail);

    CPictureFolder m_folder;
    std::deque<CPicture> m_pictures;                     // pointers stay put
    std::unordered_map<std::string, CPicture*> m_byPath; // one per real path
    std::unordered_map<std::string, CPicture*> m_byName; // names met, while few
};
