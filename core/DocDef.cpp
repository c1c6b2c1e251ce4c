#include "DocDef.h"

#include "core/AreaDefinition.h"
#include "core/DataFieldList.h"
#include "core/Delimiters.h"
#include "core/LineReader.h"
#include "core/NamedObject.h"

#include <new>
#include <ostream>
#include <sstream>
#include <string>

namespace {

// A list that cannot take a record has run out of memory: the document
// definition must not go on without it.
void TakeOrThrow(int nAppended) {
    if (nAppended != 0) {
        throw std::bad_alloc();
    }
}

template <typename List, typename Item> int AddOrReplaceIn(List& list, const Item& item) {
    if (Item* pRecord = list.FindByName(item.strName)) {
        *pRecord = item;
        return 0;
    }
    TakeOrThrow(list.AddCopy(item));
    return 1;
}

void AddFiller(int nNumber, int32_t nAt, int32_t nFor, CDocDef& docDef) {
    CDataDefinition record;
    record.strName = ("DummyNode" + std::to_string(nNumber)).c_str();
    record.nUnit = UnitLines;
    record.nStorage = StorageInline;
    record.nType = TypeText;
    record.nAt = nAt;
    record.nAtUnit = AtLines;
    record.nExtentKind = ExtentFor;
    record.strExtent = std::to_string(nFor).c_str();
    AddOrReplace(docDef.fields, record);
}

// The first word of a delimiter text: all that a record can hold of it.
std::string FirstWord(const char* pText) {
    std::istringstream words(pText != nullptr ? pText : "");
    RethrowReadFailures(words);
    std::string strWord;
    words >> strWord;
    return strWord;
}

// How long the line of the record is without its name and extent.
size_t ClausesLength(const CDataDefinition& record) {
    std::ostringstream line;
    CDataDefinition clauses = record;
    clauses.strName = "";
    clauses.strExtent = "";
    WriteDataDefinition(clauses, line);
    // Without the line feed; an Until of nothing is written as a blank.
    return line.str().size() - 1;
}

// The data definition record of a field. Its line is kept within the line
// readers' limit: a delimiter word (then a name) that would not fit is cut.
CDataDefinition FieldRecord(const CDataField& field, int32_t nAt, int32_t nAtUnit,
                            const std::string& strDelimiter) {
    CDataDefinition record;
    if (field.nUnits == UnitsLines) {
        record.nUnit = UnitLines;
    } else {
        record.nUnit = field.bStripSpaces ? UnitTrimmedChars : UnitChars;
    }
    record.nStorage = field.bReference ? StorageReference : StorageInline;
    record.nType = field.nType == TypeEps ? TypeEps : field.nType == TypeTiff ? TypeTiff : TypeText;
    record.nAt = nAt;
    record.nAtUnit = nAtUnit;
    std::string strExtent;
    if (field.nLength == LengthCount) {
        record.nExtentKind = ExtentFor;
        strExtent = std::to_string(field.nUnits == UnitsLines ? field.GetLineCount()
                                                              : field.GetCharCount());
    } else {
        record.nExtentKind = ExtentUntil;
        strExtent = field.nUnits == UnitsLines ? FirstWord(field.GetNextLine()) : strDelimiter;
    }
    std::string strName = field.pName != nullptr ? field.pName : "";
    size_t nRoom = MaxTextLine - ClausesLength(record);
    if (strName.size() + strExtent.size() > nRoom) {
        strExtent.resize(nRoom > strName.size() + 1 ? nRoom - strName.size() : 1);
        if (strName.size() + strExtent.size() > nRoom) {
            strName.resize(nRoom - strExtent.size());
        }
    }
    record.strName = strName.c_str();
    // A delimiter is held as the character it names.
    char cByte = record.nExtentKind == ExtentUntil ? DelimiterByte(strExtent) : '\0';
    if (cByte != '\0') {
        strExtent = std::string(1, cByte);
    }
    record.strExtent = strExtent.c_str();
    return record;
}

// Offset of the first occurrence of the text at or after nFrom, or npos.
size_t Search(const char* pCopy, size_t nLength, size_t nFrom, const std::string& strText) {
    if (nFrom > nLength || strText.empty()) {
        return std::string::npos;
    }
    std::string strCopy(pCopy + nFrom, nLength - nFrom);
    size_t nAt = strCopy.find(strText);
    return nAt == std::string::npos ? nAt : nFrom + nAt;
}

} // namespace

int AddOrReplace(CAreaDefinitionList& list, const CAreaDefinition& area) {
    return AddOrReplaceIn(list, area);
}

int AddOrReplace(CDataDefinitionList& list, const CDataDefinition& record) {
    return AddOrReplaceIn(list, record);
}

int AddAreaAndMerge(CDocDef& docDef, const CNamedObject* pObject) {
    int nAdded = AddOrReplace(docDef.areas, *pObject->pArea);
    auto* pMerge = new CMerge;
    const CSmallString& name = pObject->pArea->strName;
    pMerge->strAreaName.Assign(name.Text(),
                               name.Length() < MaxMergeAreaName ? name.Length() : MaxMergeAreaName);
    pMerge->strFieldName = pObject->szDataField;
    if (docDef.instructions.AddCopy(pMerge) != 0) {
        delete pMerge;
        TakeOrThrow(-1);
    }
    return nAdded;
}

int AddIncludePages(CDocDef& docDef, const char* pPage, const char* pFile, double dWidth,
                    double dHeight, double dThird) {
    auto* pPages = new CIncludePages;
    pPages->strFile = pFile;
    pPages->strFirst = pPage;
    pPages->strLast = pPage;
    pPages->dWidth = dWidth;
    pPages->dHeight = dHeight;
    pPages->dThird = dThird;
    if (docDef.instructions.AddCopy(pPages) != 0) {
        delete pPages;
        TakeOrThrow(-1);
    }
    return 0;
}

int WriteDocDef(const CDocDef& docDef, std::ostream& out) {
    // Writing stops at the first record that cannot be written.
    bool bWritten = true;
    auto Written = [&](int nResult) { bWritten = bWritten && nResult == ReadOk; };
    out << "Docdef-Version-1.0\n[DataDefinition]\n";
    docDef.fields.ForEachRecord([&](const CDataDefinition& record) {
        Written(bWritten ? WriteDataDefinition(record, out) : ReadError);
    });
    if (bWritten) {
        out << "[AreaDefinition]\n";
    }
    docDef.areas.ForEachArea(
        [&](const CAreaDefinition& area) { Written(bWritten ? WriteArea(area, out) : ReadError); });
    if (bWritten) {
        out << "[DocumentInstructions]\n";
    }
    docDef.instructions.ForEachInstruction([&](const CInstruction& instruction) {
        Written(bWritten ? instruction.Write(out) : ReadError);
    });
    if (!bWritten) {
        return ReadError;
    }
    out.flush();
    return out.fail() ? ReadError : ReadOk;
}

std::string FileLines(const std::string& strText) {
    std::string strFile;
    size_t nLineStart = 0;
    for (size_t nFeed = strText.find('\n'); nFeed != std::string::npos;
         nFeed = strText.find('\n', nLineStart)) {
        strFile.append(strText, nLineStart, nFeed - nLineStart);
        strFile += "\r\n";
        nLineStart = nFeed + 1;
    }
    return strFile;
}

namespace {

// Counts the lines and the columns from p to nStart in the copy; false when
// the field starts past the copy's end.
bool Distance(const char* pCopy, size_t nLength, size_t p, int32_t nStart, int32_t& nLines,
              int32_t& nColumn) {
    nLines = 0;
    nColumn = 0;
    for (int32_t j = static_cast<int32_t>(p); j < nStart; ++j) {
        if (static_cast<size_t>(j) >= nLength) {
            return false;
        }
        if (pCopy[j] == '\n') {
            ++nLines;
            nColumn = 0;
        } else {
            ++nColumn;
        }
    }
    return true;
}

// How the copy goes on past a field: on from p, or the fields end here (a
// field runs to the copy's end), or the copy does not hold the field whole.
enum class Past { On, End, Short };

// Moves p past the field and its delimiter (a counted field's line break).
Past PastField(const CDataField& field, const std::string& strDelimiter, const char* pCopy,
               size_t nLength, size_t& p) {
    size_t nEnd = field.GetEnd() > 0 ? static_cast<size_t>(field.GetEnd()) : 0;
    const std::string strNextLine = field.GetNextLine() != nullptr ? field.GetNextLine() : "";
    size_t nMatch = std::string::npos;
    if (field.nLength == LengthCount && field.nUnits == UnitsCharacters) {
        p = nEnd;
        return Past::On;
    }
    if (field.nLength == LengthCount) {
        if (strNextLine == NoneWord) {
            p = nEnd;
            return Past::On;
        }
        if (nEnd > nLength) {
            return Past::Short;
        }
        if (nEnd < nLength && pCopy[nEnd] == '\r') {
            p = nEnd + 2;
            return Past::On;
        }
        nMatch = Search(pCopy, nLength, nEnd, "\n");
        p = nMatch + 1;
    } else if (field.nUnits == UnitsCharacters) {
        if (strDelimiter == NoneWord) {
            return Past::End;
        }
        char cByte = DelimiterByte(strDelimiter);
        nMatch = Search(pCopy, nLength, nEnd, cByte != '\0' ? std::string(1, cByte) : strDelimiter);
        p = nMatch + 1;
    } else {
        if (strNextLine == NoneWord) {
            return Past::End;
        }
        nMatch = Search(pCopy, nLength, nEnd, strNextLine);
        p = nMatch + strNextLine.size() + 2;
    }
    return nMatch == std::string::npos ? Past::Short : Past::On;
}

} // namespace

int BuildDataDefinitions(CDataFieldList& fields, const char* pCopy, size_t nLength,
                         CDocDef& docDef) {
    size_t p = 0;
    int nFiller = 0;
    fields.Rewind();
    while (CDataField* pField = fields.Next()) {
        std::string strDelimiter =
            pField->GetCharDelimiter() != nullptr ? pField->GetCharDelimiter() : "";
        if (pField->nUnits == UnitsCharacters && pField->nLength == LengthUntil &&
            strDelimiter == NoneWord) {
            pField->nUnits = UnitsLines;
            pField->nLength = LengthCount;
        }
        // Lines and columns from the end of the previous record to the field.
        int32_t nLines = 0;
        int32_t nColumn = 0;
        if (!Distance(pCopy, nLength, p, pField->GetStart(), nLines, nColumn)) {
            return 0;
        }
        int32_t nAt = nColumn;
        int32_t nAtUnit = AtChars;
        if (nLines > 0 && nColumn == 0) {
            nAt = nLines;
            nAtUnit = AtLines;
        } else if (nLines > 0) {
            AddFiller(nFiller++, nLines, 0, docDef);
            p = static_cast<size_t>(pField->GetEnd());
        }
        AddOrReplace(docDef.fields,
                     FieldRecord(*pField, nAt, nAtUnit, FirstWord(strDelimiter.c_str())));
        size_t nPast = p;
        Past past = PastField(*pField, strDelimiter, pCopy, nLength, nPast);
        if (past == Past::Short) {
            return 0;
        }
        if (past == Past::End) {
            break;
        }
        p = nPast;
    }
    if (p > nLength) {
        return 1;
    }
    int32_t nRemaining = p < nLength ? 1 : 0;
    for (size_t j = p; j < nLength; ++j) {
        nRemaining += pCopy[j] == '\n' ? 1 : 0;
    }
    if (nRemaining != 0) {
        AddFiller(nFiller, 0, nRemaining, docDef);
    }
    return 1;
}
