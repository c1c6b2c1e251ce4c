// The publication the stand-in host keeps in a file: its path, its pages and
// their objects, and the private strings kept with the publication and with
// each object.
#pragma once

#include "core/HostRecords.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct CPrivateString {
    std::string strDeveloper;
    std::string strKey;
    int32_t nIndex = 0;
    std::string strValue;
    bool bDeleted = false; // kept only when deleted strings read back as a marker
};

// The text attributes of a text block, as the host reports them.
struct CTextAttributes {
    std::string strFont = "Times Roman"; // as the host names it, blanks and all
    int16_t nSize = 120;                 // tenths of a point; -2: cannot be determined
    int16_t nLeading = -1;               // tenths of a point; -1: automatic
    int16_t nAlignment = 0;              // 0 left, 1 center, 2 right, 3 justify, 4 forced
    int16_t nStyle = 0;                  // 2 bold, 4 italic, higher bits other styles
    std::string strColor = "Black";
    int16_t anCmyk[4] = {0, 0, 0, 1000}; // thousandths
    std::string strContent;              // the text itself; lines apart by line feeds
};

struct CHostObject {
    int32_t nId = 0;
    int16_t nNumber = 0;
    int16_t nKind = 0;
    // Left, top, right, bottom in twips, relative to the object's page.
    int32_t anBounds[4] = {0, 0, 1440, 1440};
    // For a rotated or skewed object, its four corners (x, y each), page-relative.
    bool bRotated = false;
    int32_t anCorners[8] = {};
    std::string strEps; // the EPS text of a pasted graphic
    // A text block's attributes (kind 1).
    bool bText = false;
    CTextAttributes text;
    std::vector<CPrivateString> strings;
};

// An object with the identifier, number, kind and private strings.
CHostObject HostObject(int32_t nId, int16_t nNumber, int16_t nKind,
                       std::vector<CPrivateString> strings = {});

struct CHostPage {
    std::vector<CHostObject> objects;
};

struct CPrinter {
    bool bPresent = true; // a default printer is set
    bool bPostScript = true;
    std::string strName = "PostScript Printer";
};

struct CPublication {
    // The full path the host reports for the publication (request 3513).
    std::string strPath;
    int32_t nPageWidth = 12240; // twips: US Letter
    int32_t nPageHeight = 15840;
    // Two pages side by side on the pasteboard.
    bool bFacingPages = false;
    int16_t nCurrentPage = 1;
    int16_t nViewSetting = 0;
    CPaperRecord paper = LetterPaper();
    CPrintOptions printOptions;
    int16_t anPrintOptions2[10] = {};
    CPrinter printer;
    int32_t nSelectedId = 0; // 0: nothing selected
    // How a deleted private string reads back: as the marker text
    // "InvalidPrivateString", or not at all.
    bool bDeletedReadsAsMarker = true;
    std::vector<CPrivateString> strings;
    std::vector<CHostPage> pages;

    // The object with the identifier, or null; found through an index of
    // where each object lies, built again whenever it has gone out of date.
    CHostObject* FindObject(int32_t nId);
    // The page (from 1) that holds the object, or 0.
    int16_t PageOf(int32_t nId) const;
    CHostPage* CurrentPage();

    static CPaperRecord LetterPaper();

  private:
    // Where the object of an identifier lay when the index was built: its
    // page and its place on the page, each from 0.
    struct CPlace {
        size_t nPage;
        size_t nObject;
    };
    // The place of the object if it is still there, or null.
    const CHostObject* AtPlace(int32_t nId) const;
    void IndexPlaces() const;
    mutable std::unordered_map<int32_t, CPlace> m_places;
};

// Where the host shows the current page on its pasteboard, in twips.
constexpr int32_t PasteboardLeft = 2880;
constexpr int32_t PasteboardTop = 1440;

// The string with the address in the list, or null.
CPrivateString* FindPrivateString(std::vector<CPrivateString>& strings,
                                  const std::string& strDeveloper, const std::string& strKey,
                                  int32_t nIndex);

// Reads a publication file (JSON). False with a message naming the file and
// the place: the line and column of malformed text, or the entry at fault.
bool LoadPublication(const std::string& strFile, CPublication& publication, std::string& strError);
// Reads the text of a publication file, named strFile in the messages.
bool ReadPublication(const std::string& strText, const std::string& strFile,
                     CPublication& publication, std::string& strError);
// The text of a publication file.
std::string PublicationText(const CPublication& publication);
// Writes the publication back; false with a message when the file cannot be written.
bool SavePublication(const std::string& strFile, const CPublication& publication,
                     std::string& strError);
