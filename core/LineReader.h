// Reading the text forms line by line: lines end with a line feed, lines that
// begin with ";" are comments, and a line can be pushed back for the next
// reader.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

// The longest line the readers take; a longer one is refused.
constexpr size_t MaxTextLine = 254;

// 0 with the next line that is not a comment (its line feed consumed, not
// kept); 2 when the stream is bad or the line is longer than nMaxLine;
// 3 at the end of input, also for a last line without its line feed.
int ReadTextLine(std::istream& in, std::string& strLine, size_t nMaxLine = MaxTextLine);

// Makes a stream over text held in memory pass on an allocation failure met
// while reading (a stream would otherwise only mark itself bad, and the text
// would read as if shorter than it is).
void RethrowReadFailures(std::istream& in);

// Puts the line and its line feed back, so that the next read returns it.
void PushBackLine(std::istream& in, const std::string& strLine);

// Reads one record line and hands its words to the parser: 0 when parsed, 1
// when the line begins a section ("["), 2 when the parser refuses it (both
// lines pushed back for the next reader), or the line reader's own failure.
int ReadRecordLine(std::istream& in, const std::function<bool(std::istream& words)>& parse,
                   size_t nMaxLine = MaxTextLine);
