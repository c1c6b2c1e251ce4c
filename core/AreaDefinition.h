// The attributes of a variable data area, and its one-line text form: the form
// stored with a placeholder and the area's line in the document definition.
#pragma once

#include "LineReader.h"
#include "SmallString.h"

#include <cstdint>
#include <iosfwd>

enum AreaKind : int32_t { KindText = 0, KindGraphic = 1 };
enum AreaPlacement : int32_t { PlaceScaleAndTrim = 0, PlaceScaleToFit = 1 };
// Alignment codes: 0..3 Left, Center, Right, Justify set "AsIs"; 4..7 the
// same set "Flow".
constexpr int32_t AlignLeftFlow = 4;

class CAreaDefinition {
  public:
    CSmallString strName;
    int32_t nKind = KindText;
    int32_t nAlignment = AlignLeftFlow;
    CSmallString strFont = "Times-Roman";
    float fSize = 12;
    float fSpacing = 14;
    float fFirstPosX = -1;
    float fFirstPosY = -1;
    float fCyan = 0;
    float fMagenta = 0;
    float fYellow = 0;
    float fBlack = 1;
    int32_t nPlacement = PlaceScaleToFit;
    float fTrim0 = 0;
    float fTrim1 = 0;
    float fTrim2 = 1;
    float fTrim3 = 1;
    CSmallString strFile;
    CSmallString strPage = "1";
    float fLeft = 0;
    float fTop = 0;
    float fWidth = 100;
    float fHeight = 100;
};

// Result codes of the text readers.
enum ReadResult : int {
    ReadOk = 0,
    ReadEndOfSection = 1,
    ReadError = 2,
    ReadEndOfInput = 3,
};

// Writes the text form and its line feed; 0 when written, 2 when the stream
// failed.
int WriteArea(const CAreaDefinition& area, std::ostream& out);

// Reads one area line into the definition: 0 read, 1 a section line (pushed
// back), 2 syntax or stream error, or a line longer than nMaxLine (the line
// pushed back), 3 end of input. Members read before an error keep their new
// values.
int ReadArea(CAreaDefinition& area, std::istream& in, size_t nMaxLine = MaxTextLine);

// Reads a file name that may stand between double quotes and hold blanks;
// 0, or 2 when the closing quote never comes or the name is over 259 bytes.
int ReadQuoted(std::istream& in, CSmallString& text);
