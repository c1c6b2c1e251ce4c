// How deep the arrays and objects of a JSON text nest, counted before the
// text is parsed: a parser that recurses would overflow the stack on a text
// of a few hundred thousand brackets, and no file these programs read needs
// more than a few levels.
#pragma once

#include <cstddef>
#include <string>

// The deepest nesting any file read as JSON may have.
constexpr size_t MaxJsonDepth = 64;

// True when no array or object of the text nests deeper than nLimit; false
// with nAt the offset of the bracket that goes deeper. Brackets inside
// strings do not count.
bool JsonWithinDepth(const std::string& strText, size_t nLimit, size_t& nAt);
