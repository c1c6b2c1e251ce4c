#include "merge/data/DelimitedRows.h"

#include "merge/data/TextEncoding.h"

#include <csv.h>

#include <algorithm>
#include <cstring>

struct CRowReader::CParser {
    csv_parser parser;
};

namespace {

// Blanks around a cell that is not quoted are not part of it; a tab is a
// blank unless it separates the cells.
int IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' ? 1 : 0;
}
int IsSpace(unsigned char c) {
    return c == ' ' ? 1 : 0;
}

// A byte that is no part of any UTF-8 character: a lone surrogate becomes
// it, so that the check reports the character as one that cannot be set.
constexpr char NoCharacter = static_cast<char>(0xFF);

} // namespace

CRowReader::CRowReader(CCopySource::Reader read, char cSeparator, size_t nMaxRowBytes,
                       size_t nChunk)
    : m_read(std::move(read)), m_nMaxRowBytes(nMaxRowBytes), m_nChunk(std::max<size_t>(nChunk, 1)),
      m_cSeparator(cSeparator) {}

CRowReader::~CRowReader() {
    if (m_pParser) {
        csv_free(&m_pParser->parser);
    }
}

bool CRowReader::Next(CDelimitedRow& row) {
    while (m_rows.empty() && m_end == RowsEnd::None && !m_bAtEnd) {
        ReadMore();
    }
    if (m_rows.empty()) {
        return false;
    }
    row = std::move(m_rows.front());
    m_rows.pop_front();
    return true;
}

bool CRowReader::ReadMore() {
    std::string strChunk(m_nChunk, '\0');
    long nRead = m_read(&strChunk[0], strChunk.size());
    if (nRead < 0) {
        Ended(RowsEnd::ReadFailed);
        return false;
    }
    m_bAtEnd = nRead == 0;
    if (!m_bFormKnown) {
        m_strRaw.append(strChunk, 0, static_cast<size_t>(nRead));
        if (!TakeForm(m_bAtEnd)) {
            return true;
        }
    } else {
        Decode(strChunk.data(), static_cast<size_t>(nRead));
    }
    if (!m_pParser) {
        StartParser(m_bAtEnd);
    }
    if (m_pParser) {
        Feed();
    }
    if (m_bAtEnd) {
        Finish();
    }
    return !m_bAtEnd;
}

bool CRowReader::TakeForm(bool bAtEnd) {
    if (m_strRaw.size() < 3 && !bAtEnd) {
        return false;
    }
    size_t nMark = 0;
    if (m_strRaw.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        m_form = TextForm::Utf8Bom;
        nMark = 3;
    } else if (m_strRaw.compare(0, 2, "\xFF\xFE") == 0) {
        m_form = TextForm::Utf16Le;
        nMark = 2;
    } else if (m_strRaw.compare(0, 2, "\xFE\xFF") == 0) {
        m_form = TextForm::Utf16Be;
        nMark = 2;
    }
    m_bFormKnown = true;
    std::string strRest = m_strRaw.substr(nMark);
    m_strRaw.clear();
    m_nTextOrigin = nMark;
    Decode(strRest.data(), strRest.size());
    return true;
}

void CRowReader::Decode(const char* pBytes, size_t nCount) {
    if (m_form == TextForm::Bytes || m_form == TextForm::Utf8Bom) {
        m_strText.append(pBytes, nCount);
        return;
    }
    m_strRaw.append(pBytes, nCount);
    const bool bLittle = m_form == TextForm::Utf16Le;
    size_t nUnits = m_strRaw.size() / 2;
    for (size_t k = 0; k < nUnits; ++k) {
        auto first = static_cast<unsigned char>(m_strRaw[2 * k]);
        auto second = static_cast<unsigned char>(m_strRaw[2 * k + 1]);
        char32_t u = bLittle ? (second << 8 | first) : (first << 8 | second);
        if (m_cHigh != 0 && u >= 0xDC00 && u <= 0xDFFF) {
            AppendUtf8(m_strText, 0x10000 + ((m_cHigh - 0xD800) << 10) + (u - 0xDC00));
            m_cHigh = 0;
            continue;
        }
        if (m_cHigh != 0) {
            m_strText += NoCharacter;
            m_cHigh = 0;
        }
        if (u >= 0xD800 && u <= 0xDBFF) {
            m_cHigh = u;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            m_strText += NoCharacter;
        } else {
            AppendUtf8(m_strText, u);
        }
    }
    m_strRaw.erase(0, 2 * nUnits);
}

void CRowReader::StartParser(bool bAtEnd) {
    if (m_cSeparator == 0 && !ChooseSeparator(bAtEnd)) {
        return;
    }
    m_pParser = std::make_unique<CParser>();
    csv_init(&m_pParser->parser, 0);
    csv_set_delim(&m_pParser->parser, static_cast<unsigned char>(m_cSeparator));
    csv_set_space_func(&m_pParser->parser, m_cSeparator == '\t' ? IsSpace : IsBlank);
}

bool CRowReader::ChooseSeparator(bool bAtEnd) {
    // The first row: up to its line break outside quotes.
    bool bQuoted = false;
    size_t nEnd = 0;
    for (; nEnd < m_strText.size() && (bQuoted || m_strText[nEnd] != '\n'); ++nEnd) {
        bQuoted = m_strText[nEnd] == '"' ? !bQuoted : bQuoted;
    }
    if (nEnd == m_strText.size() && !bAtEnd && m_strText.size() < m_nMaxRowBytes) {
        return false;
    }
    size_t nMost = 0;
    m_cSeparator = ',';
    for (char c : {',', ';', '\t'}) {
        size_t nCount = 0;
        bQuoted = false;
        for (size_t i = 0; i < nEnd; ++i) {
            bQuoted = m_strText[i] == '"' ? !bQuoted : bQuoted;
            nCount += !bQuoted && m_strText[i] == c ? 1 : 0;
        }
        if (nCount > nMost) {
            nMost = nCount;
            m_cSeparator = c;
        }
    }
    return true;
}

void CRowReader::Feed() {
    size_t nFrom = 0;
    while (m_end == RowsEnd::None) {
        size_t nFeed = m_strText.find('\n', nFrom);
        bool bLine = nFeed != std::string::npos;
        size_t nCount = bLine ? nFeed + 1 - nFrom : m_strText.size() - nFrom;
        // The rest of a line is held until its line feed comes, unless long.
        if (nCount == 0 || (!bLine && !m_bAtEnd && nCount < m_nChunk)) {
            break;
        }
        FeedPiece(m_strText.data() + nFrom, nCount, m_nTextOrigin);
        m_nTextOrigin += FileBytes(m_strText.data() + nFrom, nCount);
        nFrom += nCount;
        m_nLine += bLine ? 1 : 0;
    }
    m_strText.erase(0, nFrom);
}

size_t CRowReader::FileBytes(const char* pText, size_t nCount) const {
    if (m_form != TextForm::Utf16Le && m_form != TextForm::Utf16Be) {
        return nCount;
    }
    // Two bytes a character, four for one past the 16-bit range; a byte
    // that stands for a lone surrogate stood for two.
    size_t nBytes = 0;
    for (size_t i = 0; i < nCount; ++i) {
        auto c = static_cast<unsigned char>(pText[i]);
        nBytes += (c & 0xC0) == 0x80 ? 0 : (c >= 0xF0 && c != 0xFF ? 4 : 2);
    }
    return nBytes;
}

void CRowReader::FeedPiece(const char* pText, size_t nCount, size_t nOrigin) {
    if (!m_bInRow) {
        const char* pBlanks = m_cSeparator == '\t' ? " \r\n" : " \t\r\n";
        size_t k = 0;
        while (k < nCount && pText[k] != '\0' && strchr(pBlanks, pText[k]) != nullptr) {
            ++k;
        }
        if (k == nCount) {
            return; // no row begins on a blank line
        }
        size_t nUnit = m_form == TextForm::Utf16Le || m_form == TextForm::Utf16Be ? 2 : 1;
        m_bInRow = true;
        m_rowStart = CDataPlace{nOrigin + k * nUnit, m_nLine};
        m_nRowBytes = 0;
    }
    m_nRowBytes += nCount;
    csv_parse(&m_pParser->parser, pText, nCount, OnCell, OnRowEnd, this);
    if (!m_bInRow && !m_cells.empty()) {
        // A row that began after a carriage return alone ended the one before.
        m_bInRow = true;
        m_rowStart = CDataPlace{nOrigin, m_nLine};
        m_nRowBytes = 0;
    }
    if (m_bInRow && m_nRowBytes > m_nMaxRowBytes) {
        Ended(RowsEnd::TooLarge);
    }
}

void CRowReader::Finish() {
    if (!m_bFormKnown) {
        TakeForm(true);
    }
    if (!m_pParser) {
        StartParser(true);
    }
    Feed();
    if (m_end == RowsEnd::None && m_cHigh != 0) {
        m_cHigh = 0;
        m_strText += NoCharacter;
        Feed();
    }
    // A quoted cell still open at the end (the parser's state "field begun").
    const int FieldBegun = 2;
    if (m_end == RowsEnd::None && m_pParser->parser.quoted != 0 &&
        m_pParser->parser.pstate == FieldBegun) {
        Ended(RowsEnd::OpenQuote);
    }
    if (m_end == RowsEnd::None) {
        csv_fini(&m_pParser->parser, OnCell, OnRowEnd, this);
    }
}

void CRowReader::Ended(RowsEnd end) {
    m_end = end;
    m_endPlace = m_rowStart;
    m_bAtEnd = true;
}

void CRowReader::OnCell(void* pCell, size_t nSize, void* pThis) {
    auto* pReader = static_cast<CRowReader*>(pThis);
    CDelimitedCell cell;
    const char* pText = static_cast<const char*>(pCell);
    cell.strText.reserve(nSize);
    int nBreaks = 0;
    for (size_t i = 0; i < nSize; ++i) {
        // Line breaks inside a cell as line feeds.
        if (pText[i] == '\r' && i + 1 < nSize && pText[i + 1] == '\n') {
            continue;
        }
        nBreaks += pText[i] == '\n' ? 1 : 0;
        cell.strText += pText[i];
    }
    cell.nLine = pReader->m_nLine - nBreaks;
    pReader->m_cells.push_back(std::move(cell));
}

void CRowReader::OnRowEnd(int, void* pThis) {
    auto* pReader = static_cast<CRowReader*>(pThis);
    CDelimitedRow row;
    row.nRow = ++pReader->m_nRows;
    row.place = pReader->m_rowStart;
    row.cells = std::move(pReader->m_cells);
    pReader->m_cells.clear();
    pReader->m_rows.push_back(std::move(row));
    pReader->m_bInRow = false;
}
