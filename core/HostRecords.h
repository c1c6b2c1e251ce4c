// Records the host hands out in its replies and takes back in its requests.
#pragma once

#include "ParamBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

// Print options: four values, a string, eight values (read with request 3518,
// sent back with request 924).
struct CPrintOptions {
    int16_t anLeading[4] = {};
    std::string strName;
    int16_t anTrailing[8] = {};
};

// Paper: the paper name, a second string, four 32-bit values of which the first
// is the height and the second the width in twips, three 16-bit values, one
// 32-bit value, three 16-bit values (read with 3522, sent back with 935).
struct CPaperRecord {
    std::string strName;
    std::string strSecond;
    int32_t anSize[4] = {};
    int16_t anFirstGroup[3] = {};
    int32_t nSingle = 0;
    int16_t anLastGroup[3] = {};

    int32_t Height() const { return anSize[0]; }
    int32_t Width() const { return anSize[1]; }
};

// The selection as the host reports it (request 3818).
struct CSelectionRecord {
    int16_t nCount = 0;
    int32_t nObjectId = 0;
    int16_t nObjectNumber = 0;
    int16_t nKind = 0;
    int16_t nRotated = 0;
    // Left, top, right, bottom in twips; with nRotated set, the x and y of the
    // four corner points.
    int32_t anCoords[8] = {};
};

// One entry of a page's object list (request 3400).
struct CPageObject {
    int16_t nNumber = 0;
    int16_t nKind = 0;
};

// One object that carries private strings (request 3532).
struct CPrivateDataObject {
    int32_t nObjectId = 0;
    int16_t nLength = 0;
};

constexpr size_t SelectionRecordSize = 54;
constexpr size_t PageObjectRecordSize = 20;

bool ReadPrintOptions(CReplyReader& reader, CPrintOptions& options);
void WritePrintOptions(CParamWriter& writer, const CPrintOptions& options);
bool ReadPaper(CReplyReader& reader, CPaperRecord& paper);
void WritePaper(CParamWriter& writer, const CPaperRecord& paper);
bool ReadSelection(const uint8_t* pData, size_t nSize, CSelectionRecord& selection);
bool ReadPageObjects(const uint8_t* pData, size_t nSize, std::vector<CPageObject>& objects);
// Reads the reply to 3532; a count of 0 or a list that does not fit yields false.
bool ReadPrivateDataObjects(const uint8_t* pData, size_t nSize,
                            std::vector<CPrivateDataObject>& objects);
