// A data field: one named piece of the data of a copy in the variable data
// input file, and its place in the copy text.
#pragma once

#include <cstdint>

// Where a field lies in the copy text.
class CSampleExtent {
  public:
    // Takes ownership of the three strings (each allocated with new[], or null).
    CSampleExtent(int32_t nStart, int32_t nEnd, int32_t nCharCount, int32_t nLineCount,
                  char* pSample, char* pCharDelimiter, char* pNextLine);
    CSampleExtent(const CSampleExtent& other);
    CSampleExtent& operator=(const CSampleExtent&) = delete;
    ~CSampleExtent();

    int32_t nStart;
    int32_t nEnd;
    int32_t nCharCount;
    int32_t nLineCount;
    char* pSample;
    char* pCharDelimiter;
    char* pNextLine;
};

enum DataFieldUnits : int32_t { UnitsCharacters = 0, UnitsLines = 1 };
enum DataFieldLength : int32_t { LengthCount = 0, LengthUntil = 1 };
enum DataFieldType : int32_t { TypeText = 0, TypeEps = 1, TypeTiff = 2 };

class CDataField {
  public:
    // Copies the name (none when null) and takes ownership of the extent.
    CDataField(const char* pNameText, int32_t nUnitsValue, int32_t nLengthValue, int32_t nTypeValue,
               int32_t bStrip, int32_t bRef, CSampleExtent* pExtentValue);
    // Deep copy; the source must have an extent.
    CDataField(const CDataField& other);
    CDataField& operator=(const CDataField&) = delete;
    ~CDataField();

    // Replaces the name with a copy of the text; a null text keeps the name.
    void SetName(const char* pText);

    int32_t GetStart() const { return pExtent ? pExtent->nStart : 0; }
    int32_t GetEnd() const { return pExtent ? pExtent->nEnd : 0; }
    int32_t GetCharCount() const { return pExtent ? pExtent->nCharCount : 0; }
    int32_t GetLineCount() const { return pExtent ? pExtent->nLineCount : 0; }
    const char* GetSample() const { return pExtent ? pExtent->pSample : nullptr; }
    const char* GetCharDelimiter() const { return pExtent ? pExtent->pCharDelimiter : nullptr; }
    const char* GetNextLine() const { return pExtent ? pExtent->pNextLine : nullptr; }

    char* pName;
    int32_t nUnits;
    int32_t nLength;
    int32_t nType;
    int32_t bStripSpaces;
    int32_t bReference;
    CSampleExtent* pExtent;
};

// The rule for names of data fields and named objects: not empty, every byte,
// taken as unsigned, above 32, and not beginning with ";" or "[", which would
// make the name's line in the document definition file a comment or a section.
bool IsValidName(const char* pText);
