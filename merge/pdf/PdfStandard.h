// What makes the merged PDF one a press's front end takes as print-ready
// variable data: PDF/X-4 (the output intent: the CMYK printing condition the
// file is made for, its profile embedded; dates, title and trapping said
// alike in the Info dictionary and the XMP metadata) and PDF/VT-1 (the
// document parts of the copies, named by level, and the forms marked for
// reuse). The writer asks this module for the texts; the file's structure
// is the writer's.
#pragma once

#include "merge/job/Ticket.h"
#include "merge/pdf/IccProfile.h"

#include <ctime>
#include <string>

struct CPdfStandard {
    CIccProfile profile;
    std::string strCondition;     // the output condition's identifier
    std::string strConditionText; // what it describes
    time_t tMade = 0;
    std::string strTitle;    // the job's name, UTF-8
    std::string strProducer; // "nebmerge 1.2.1"
};

// The settings the ticket gives (its output intent's profile read and
// checked, or the default one), the time of the run (SOURCE_DATE_EPOCH
// when it is set, so that a build can be made again byte for byte) and the
// job's name; false with a message naming the profile.
bool LoadPdfStandard(const CJobTicket& ticket, const std::string& strDocDefFile, size_t nMaxBytes,
                     CPdfStandard& standard, std::string& strError);

// "D:20261210083000+00'00'" and "2026-12-10T08:30:00+00:00": the same time
// as the Info dictionary and the XMP write it, in UTC.
std::string PdfDate(time_t tWhen);
std::string XmpDate(time_t tWhen);

// A "uuid:..." made from the file's identity.
std::string DocumentUuid(const CPdfStandard& standard, const std::string& strSalt);

// The Info dictionary's entries.
std::string InfoEntries(const CPdfStandard& standard);

// The XMP packet of the catalogue's metadata stream.
std::string XmpPacket(const CPdfStandard& standard, const std::string& strDocumentId,
                      const std::string& strInstanceId);
