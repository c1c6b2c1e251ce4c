// Reads a decimal number from a text stream as `in >> fValue` does in the
// classic locale (the same characters taken, the same value, the same stream
// state), without the run-time's locale switching that makes the stream
// extraction slow on Windows: the area text form of every placeholder of a
// job holds a dozen numbers.
#pragma once

#include <iosfwd>

struct CNumberIn {
    float& fValue;
};

// Used as: words >> Number(area.fSize).
inline CNumberIn Number(float& fValue) {
    return CNumberIn{fValue};
}

std::istream& operator>>(std::istream& in, CNumberIn number);
