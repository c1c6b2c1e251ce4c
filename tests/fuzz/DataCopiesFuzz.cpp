// The variable data input file cut into copies: any bytes under one of the
// kinds of data definitions the plug-in writes. Copies follow one another,
// every value and problem lies inside the data, and a copy's values are
// where its text is.
#include "FuzzInput.h"
#include "core/DocDefReader.h"
#include "merge/data/DataCopies.h"

#include <algorithm>

namespace {

const char* const Definitions[] = {
    // The card: lines, and a filler for the blank line between copies.
    "Name Is Lines Inline Text At 0 Chars For 1\nStreet Is Lines Inline Text At 0 Chars For 1\n"
    "DummyNode0 Is Lines Inline Text At 0 Lines For 2\n",
    // Characters, trimmed, references, lines between.
    "Name Is TrimmedChars Inline Text At 0 Chars For 10\n"
    "Street Is TrimmedChars Inline Text At 1 Lines For 11\n"
    "Photo Is Chars Reference EPS At 1 Lines For 10\n"
    "DummyNode0 Is Lines Inline Text At 0 Lines For 2\n",
    // Every delimiter.
    "Code Is Chars Inline Text At 0 Chars Until TAB\nItem Is Chars Inline Text At 0 Chars Until ;\n"
    "Size Is TrimmedChars Inline Text At 0 Chars Until SPACE\n"
    "Price Is Chars Inline Text At 0 Chars Until CRLF\n",
    // Fillers, lines fields, until the next line, to the end of a line.
    "DummyNode0 Is Lines Inline Text At 1 Lines For 0\nAddress Is Lines Inline Text At 0 Chars For "
    "2\n"
    "Notes Is Lines Inline Text At 0 Chars Until Total\nTotal Is Chars Inline Text At 0 Chars "
    "ToEnd\n"
    "DummyNode1 Is Lines Inline Text At 1 Lines For 2\n",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    if (nSize == 0) {
        return 0;
    }
    size_t nKind = pData[0] % (sizeof Definitions / sizeof Definitions[0]);
    std::string strData(reinterpret_cast<const char*>(pData) + 1, nSize - 1);
    CDocDef docDef;
    std::string strError;
    FUZZ_CHECK(
        ReadDocDefText(std::string("Docdef-Version-1.0\n[DataDefinition]\n") + Definitions[nKind],
                       docDef, strError),
        "the definitions read");
    std::vector<CDataCopy> copies;
    std::vector<CProblem> problems;
    CutCopies(strData, docDef.fields, copies, problems);
    // Read a few bytes at a time, as from a file, the data cuts the same.
    const size_t nChunk = pData[0] / 4 % 7 + 1;
    size_t nGiven = 0;
    CCopySource source(
        docDef.fields,
        [&](char* pBuffer, size_t nCount) {
            nCount = std::min({nCount, nChunk, strData.size() - nGiven});
            strData.copy(pBuffer, nCount, nGiven);
            nGiven += nCount;
            return static_cast<long>(nCount);
        },
        strData.size() + 1, nChunk);
    CDataCopy copy;
    std::vector<CProblem> chunkProblems;
    size_t nCopy = 0;
    while (source.Next(copy, chunkProblems)) {
        FUZZ_CHECK(nCopy < copies.size() && copies[nCopy].values.size() == copy.values.size() &&
                       copies[nCopy].place.nOffset == copy.place.nOffset &&
                       copies[nCopy].place.nLine == copy.place.nLine,
                   "a copy read in chunks is the copy read whole");
        for (size_t i = 0; i < copy.values.size(); ++i) {
            const CFieldValue& whole = copies[nCopy].values[i];
            FUZZ_CHECK(whole.strText == copy.values[i].strText &&
                           whole.place.nOffset == copy.values[i].place.nOffset &&
                           whole.place.nLine == copy.values[i].place.nLine,
                       "a value read in chunks is the value read whole");
        }
        ++nCopy;
    }
    FUZZ_CHECK(nCopy == copies.size() && chunkProblems.size() == problems.size(),
               "as many copies and problems in chunks as whole");
    for (size_t i = 0; i < problems.size(); ++i) {
        FUZZ_CHECK(problems[i].place.nOffset == chunkProblems[i].place.nOffset &&
                       problems[i].place.nLine == chunkProblems[i].place.nLine &&
                       problems[i].kind == chunkProblems[i].kind,
                   "a problem found in chunks is the problem found whole");
    }
    size_t nPrevious = 0;
    for (size_t i = 0; i < copies.size(); ++i) {
        const CDataCopy& copy = copies[i];
        FUZZ_CHECK(copy.nNumber == static_cast<int>(i) + 1, "copies are numbered in order");
        FUZZ_CHECK(i == 0 || copy.place.nOffset > nPrevious, "each copy begins after the last");
        nPrevious = copy.place.nOffset;
        for (const CFieldValue& value : copy.values) {
            FUZZ_CHECK(value.place.nOffset <= strData.size(), "a value lies inside the data");
            FUZZ_CHECK(value.strText.size() <= strData.size() - value.place.nOffset,
                       "a value is no longer than the data after it");
        }
    }
    for (const CProblem& problem : problems) {
        FUZZ_CHECK(problem.place.nOffset <= strData.size(), "a problem lies inside the data");
        FUZZ_CHECK(problem.nCopy >= 1 && problem.nCopy <= static_cast<int>(copies.size()) + 1,
                   "a problem names a copy that was read or the one being read");
        FUZZ_CHECK(problem.place.nLine >= 1, "lines count from 1");
    }
    return 0;
}
