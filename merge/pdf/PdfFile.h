// A PDF written as it goes: objects are numbered when they are first needed
// (a page names its parent before the parent is written) and written once,
// in any order; the cross-reference table and the trailer close the file.
// Nothing of an object is held once it is written, so that a run of any
// length holds only an offset per object.
#pragma once

#include "merge/files/OutputFile.h"

#include <cstdint>
#include <string>
#include <vector>

class CPdfFile {
  public:
    // Writes the header of the version ("1.7").
    CPdfFile(COutputFile& out, const char* pVersion);

    // A new object's number.
    int NewObject();
    // Writes the object: its body is a dictionary, an array or any value.
    bool Object(int nObject, const std::string& strBody);
    // Writes a stream object: the entries of its dictionary (its /Length is
    // added) and its data as it is to be stored.
    bool Stream(int nObject, const std::string& strEntries, const std::string& strData);
    // Writes the cross-reference table and the trailer; false with a
    // message when an object that was numbered was never written or the file
    // cannot be written.
    bool Finish(int nCatalog, int nInfo, std::string& strError);
    // Bytes written so far.
    uint64_t Written() const { return m_out.Written(); }

  private:
    bool Start(int nObject);

    COutputFile& m_out;
    std::vector<uint64_t> m_offsets; // by object number; 0: not written yet
};

// "N 0 R".
std::string Ref(int nObject);
// " N 0 R" for each object.
std::string Refs(const std::vector<int>& objects);

// A character as UTF-16BE hex digits (a pair of surrogates above U+FFFF).
std::string Utf16Hex(char32_t c);

// A text string of the PDF: a literal of ASCII, or UTF-16BE with its mark
// (a byte that is no UTF-8 as U+FFFD).
std::string PdfText(const std::string& strUtf8);

// A name object: "/" and the name, its delimiters, blanks and bytes outside
// printable ASCII written as #XX.
std::string PdfName(const std::string& strName);

// The data packed with zlib, as /FlateDecode reads it; empty when it
// cannot be.
std::string Compressed(const std::string& strData);
