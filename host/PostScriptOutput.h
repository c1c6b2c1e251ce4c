// The host's printing to a file: a DSC-conforming PostScript file with one
// page for each page of the publication, on the paper of its paper record,
// each page as the publication shows it: text blocks with their text in
// their font, size and colour, artwork drawn from its EPS, other pictures
// framed, and placeholders as what their EPS header draws: nothing.
#pragma once

#include "Publication.h"

#include <string>

// The PostScript text of the publication.
std::string PublicationPostScript(const CPublication& publication);

// Writes it to the file; false with a message when the file cannot be written.
bool PrintPublication(const CPublication& publication, const std::string& strFile,
                      std::string& strError);
