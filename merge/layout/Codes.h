// Barcodes and 2D codes drawn from a field's value: the symbol made by the
// zint library, as rectangles, and placed into its area as vector graphics
// with its quiet zone. A value the symbology cannot carry (a wrong length, a
// bad check digit, a character outside its set) is refused with why.
#pragma once

#include "core/AreaDefinition.h"

#include <string>
#include <vector>

enum class CodeKind { Qr, Code128, Ean13, UpcA, DataMatrix, Pdf417 };

// The code an area is drawn as.
struct CCodeSpec {
    CodeKind kind = CodeKind::Qr;
    char cQrLevel = 'M';  // the QR code's error correction level
    bool bSquare = false; // a DataMatrix of square symbols only
};

// The kind a job ticket names ("qr", "code128", ...); false when no kind
// has that name.
bool CodeKindNamed(const std::string& strName, CodeKind& kind);

// A rectangle of the page: lower left corner and size, in points.
struct CRectangle {
    double dX;
    double dY;
    double dWidth;
    double dHeight;
};

// A symbol as dark rectangles in its own units, y downwards from its top,
// inside a box of dWidth by dHeight that holds its quiet zone.
struct CCodeSymbol {
    double dWidth = 0;
    double dHeight = 0;
    bool bLinear = false; // bars, which may be stretched to the area's height
    std::vector<CRectangle> bars;
};

// Makes the symbol of the value (UTF-8); false with why the value cannot be
// one.
bool MakeCodeSymbol(const CCodeSpec& code, const std::string& strValue, CCodeSymbol& symbol,
                    std::string& strDetail);

// The symbol's rectangles on the page: a linear code fills the area, a 2D
// code keeps its square modules and is centred; the page's height turns the
// area's top-down place into the page's coordinates.
std::vector<CRectangle> PlaceCode(const CCodeSymbol& symbol, const CAreaDefinition& area,
                                  double dPaperHeight);
