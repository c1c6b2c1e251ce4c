// Delimited data: random cells written as a spreadsheet writes them (each
// quoted by the library's own writer) read back the same in any chunks; and
// the same bytes cut at any place, or any bytes at all, read without a
// fault, every row within the size limit.
#include "FuzzInput.h"
#include "merge/data/DelimitedRows.h"

#include <csv.h>

#include <algorithm>

namespace {

std::vector<CDelimitedRow> ReadRows(const std::string& strData, size_t nChunk, char cSeparator,
                                    size_t nMaxRow, RowsEnd& end) {
    size_t nGiven = 0;
    CRowReader reader(
        [&](char* pBuffer, size_t nSize) {
            size_t nCount = std::min({nSize, nChunk, strData.size() - nGiven});
            strData.copy(pBuffer, nCount, nGiven);
            nGiven += nCount;
            return static_cast<long>(nCount);
        },
        cSeparator, nMaxRow, nChunk);
    std::vector<CDelimitedRow> rows;
    CDelimitedRow row;
    while (reader.Next(row)) {
        FUZZ_CHECK(row.place.nOffset < strData.size() && row.place.nLine >= 1,
                   "a row begins inside the data");
        rows.push_back(row);
    }
    end = reader.End();
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    CFuzzInput input(pData, nSize);
    const char cSeparator = ",;\t"[static_cast<uint32_t>(input.TakeNumber()) % 3];
    const size_t nChunk = static_cast<uint32_t>(input.TakeNumber()) % 9 + 1;
    // Cells: strings cut at NULs, rows of three; no cell is blank, so no row is.
    std::vector<std::vector<std::string>> cells;
    std::string strData;
    for (std::string strCell; !(strCell = input.TakeString()).empty();) {
        if (cells.empty() || cells.back().size() == 3) {
            cells.emplace_back();
        }
        cells.back().push_back(strCell);
    }
    for (const auto& row : cells) {
        for (size_t i = 0; i < row.size(); ++i) {
            std::string strQuoted(row[i].size() * 2 + 2, '\0');
            strQuoted.resize(
                csv_write(&strQuoted[0], strQuoted.size(), row[i].data(), row[i].size()));
            strData += (i == 0 ? "" : std::string(1, cSeparator)) + strQuoted;
        }
        strData += "\r\n";
    }
    RowsEnd end = RowsEnd::None;
    std::vector<CDelimitedRow> rows = ReadRows(strData, nChunk, cSeparator, 1 << 20, end);
    FUZZ_CHECK(end == RowsEnd::None && rows.size() == cells.size(), "every row is read back");
    for (size_t r = 0; r < rows.size(); ++r) {
        FUZZ_CHECK(rows[r].cells.size() == cells[r].size(), "a row's cells are read back");
        for (size_t i = 0; i < cells[r].size(); ++i) {
            std::string strWritten = cells[r][i];
            // A cell's line breaks come back as line feeds.
            for (size_t p = 0; (p = strWritten.find("\r\n", p)) != std::string::npos; ++p) {
                strWritten.erase(p, 1);
            }
            FUZZ_CHECK(rows[r].cells[i].strText == strWritten, "a cell reads back as written");
        }
    }
    // Cut anywhere, or read as it came, with a small limit: no fault.
    std::string strCut = strData.substr(0, nSize % (strData.size() + 1));
    ReadRows(strCut, nChunk, 0, 64, end);
    ReadRows(std::string(reinterpret_cast<const char*>(pData), nSize), nChunk, 0, 256, end);
    return 0;
}
