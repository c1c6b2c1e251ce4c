// What the PostScript and the PDF writers both put on a page: numbers and
// string literals in the syntax the two languages share.
#pragma once

#include <string>

// The number with two decimals.
std::string Number(double dValue);

// A string literal of the bytes; those outside printable ASCII are written
// as octal escapes.
std::string Literal(const std::string& strText);
