// A delimited text file as spreadsheets export it (CSV with commas or
// semicolons, or tab-separated), read a row at a time: cells may be quoted,
// with doubled quotes inside, and a quoted cell may hold separators and line
// breaks. A UTF-8 byte-order mark is dropped; a UTF-16 file (known by its
// byte-order mark) is read as UTF-8. The separator is the one given, or the
// one the first row holds most of (comma when it holds none). Memory stays
// bounded: a row longer than the limit ends the reading.
#pragma once

#include "merge/data/DataCopies.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// How the file's text is stored.
enum class TextForm { Bytes, Utf8Bom, Utf16Le, Utf16Be };

struct CDelimitedCell {
    std::string strText; // line breaks inside it as line feeds
    int nLine = 1;       // where the cell begins
};

struct CDelimitedRow {
    int nRow = 0;     // from 1, blank lines not counted
    CDataPlace place; // where the row begins: a byte offset in the file and its line
    std::vector<CDelimitedCell> cells;
};

// Why the reading ended before the end of the data.
enum class RowsEnd { None, TooLarge, OpenQuote, ReadFailed };

class CRowReader {
  public:
    // cSeparator: ',', ';' or '\t', or 0 for the one the first row holds.
    CRowReader(CCopySource::Reader read, char cSeparator, size_t nMaxRowBytes,
               size_t nChunk = 1 << 16);
    ~CRowReader();
    CRowReader(const CRowReader&) = delete;
    CRowReader& operator=(const CRowReader&) = delete;

    // The next row; false at the end of the data or when the reading ended.
    bool Next(CDelimitedRow& row);
    // Why the reading ended, and the row where it did.
    RowsEnd End() const { return m_end; }
    const CDataPlace& EndPlace() const { return m_endPlace; }
    int EndRow() const { return m_nRows + 1; }
    char Separator() const { return m_cSeparator; }
    TextForm Form() const { return m_form; }

  private:
    struct CParser;
    // Reads and decodes more of the file; false at its end.
    bool ReadMore();
    // Decides the text form from the first bytes; false while too few are read.
    bool TakeForm(bool bAtEnd);
    void Decode(const char* pBytes, size_t nCount);
    // Makes the parser once the separator is known; the separator the first
    // row holds most of, false while that row is not read whole.
    void StartParser(bool bAtEnd);
    bool ChooseSeparator(bool bAtEnd);
    // Hands the parser the decoded text, a line at a time.
    void Feed();
    void FeedPiece(const char* pText, size_t nCount, size_t nOrigin);
    // The bytes of the file the decoded text stood for.
    size_t FileBytes(const char* pText, size_t nCount) const;
    void Finish();
    void Ended(RowsEnd end);
    static void OnCell(void* pCell, size_t nSize, void* pThis);
    static void OnRowEnd(int c, void* pThis);

    CCopySource::Reader m_read;
    size_t m_nMaxRowBytes;
    size_t m_nChunk;
    char m_cSeparator;
    TextForm m_form = TextForm::Bytes;
    bool m_bFormKnown = false;
    std::unique_ptr<CParser> m_pParser;
    std::string m_strRaw;     // bytes read before the form is known, or half a UTF-16 unit
    char32_t m_cHigh = 0;     // a UTF-16 high surrogate waiting for its low one
    std::string m_strText;    // decoded text not yet handed to the parser
    size_t m_nTextOrigin = 0; // the file offset of its first byte
    int m_nLine = 1;
    bool m_bInRow = false;
    size_t m_nRowBytes = 0;
    CDataPlace m_rowStart;
    std::vector<CDelimitedCell> m_cells;
    std::deque<CDelimitedRow> m_rows; // rows read, not yet taken
    int m_nRows = 0;
    bool m_bAtEnd = false; // the file is read to its end
    RowsEnd m_end = RowsEnd::None;
    CDataPlace m_endPlace;
};
