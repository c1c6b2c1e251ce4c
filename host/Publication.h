// The publication the stand-in host keeps in a file: what it reports to the
// plug-in about the open publication.
#pragma once

#include <string>

struct CPublication {
    // The full path the host reports for the publication (request 3513).
    std::string strPath;
};

// Reads a publication file (JSON). False with a message naming the file and,
// for malformed text, the line and column where reading stopped.
bool LoadPublication(const std::string& strFile, CPublication& publication, std::string& strError);
// Writes the publication back; false with a message when the file cannot be written.
bool SavePublication(const std::string& strFile, const CPublication& publication,
                     std::string& strError);
