// The publication the stand-in host keeps in a file: its path, its pages and
// their objects, and the private strings kept with the publication and with
// each object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CPrivateString {
    std::string strDeveloper;
    std::string strKey;
    int32_t nIndex = 0;
    std::string strValue;
    bool bDeleted = false; // kept only when deleted strings read back as a marker
};

struct CHostObject {
    int32_t nId = 0;
    int16_t nNumber = 0;
    int16_t nKind = 0;
    std::vector<CPrivateString> strings;
};

struct CHostPage {
    std::vector<CHostObject> objects;
};

struct CPublication {
    // The full path the host reports for the publication (request 3513).
    std::string strPath;
    // How a deleted private string reads back: as the marker text
    // "InvalidPrivateString", or not at all.
    bool bDeletedReadsAsMarker = true;
    std::vector<CPrivateString> strings;
    std::vector<CHostPage> pages;

    CHostObject* FindObject(int32_t nId);
};

// The string with the address in the list, or null.
CPrivateString* FindPrivateString(std::vector<CPrivateString>& strings,
                                  const std::string& strDeveloper, const std::string& strKey,
                                  int32_t nIndex);

// Reads a publication file (JSON). False with a message naming the file and
// the place: the line and column of malformed text, or the entry at fault.
bool LoadPublication(const std::string& strFile, CPublication& publication, std::string& strError);
// Writes the publication back; false with a message when the file cannot be written.
bool SavePublication(const std::string& strFile, const CPublication& publication,
                     std::string& strError);
