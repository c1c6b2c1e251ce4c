#include "DocDefReader.h"

#include "core/AreaDefinition.h"
#include "core/LineReader.h"

#include <memory>
#include <sstream>

namespace {

enum Section { NoSection, DataSection, AreaSection, InstructionSection };

// Reads one line with the reader; true when it read whole.
template <typename Read> bool ReadsWhole(const std::string& strLine, Read read) {
    std::istringstream in(strLine + "\n");
    RethrowReadFailures(in);
    return read(in) == ReadOk;
}

// Adds the instruction the line holds; false when it is none or does not read.
bool ReadInstruction(const std::string& strLine, CDocDef& docDef, std::string& strError) {
    std::istringstream words(strLine);
    std::string strKeyword;
    words >> strKeyword;
    std::unique_ptr<CInstruction> pInstruction;
    if (strKeyword == "Merge") {
        pInstruction.reset(new CMerge);
    } else if (strKeyword == "IncludePages") {
        pInstruction.reset(new CIncludePages);
    } else {
        strError = "not an instruction (Merge or IncludePages)";
        return false;
    }
    if (!ReadsWhole(strLine, [&](std::istream& in) {
            return pInstruction->Read(in, docDef.areas, docDef.fields);
        })) {
        strError = strKeyword == "Merge" ? "a Merge line names an area and a data field"
                                         : "an IncludePages line holds a quoted file name, the "
                                           "first and last page, and a width and height above 0";
        return false;
    }
    if (auto* pMerge = dynamic_cast<CMerge*>(pInstruction.get())) {
        if (pMerge->pArea == nullptr) {
            strError = std::string("no area ") + pMerge->strAreaName.Text() + " is defined";
            return false;
        }
        if (pMerge->pField == nullptr) {
            strError = std::string("no data field ") + pMerge->strFieldName.Text() + " is defined";
            return false;
        }
    }
    if (docDef.instructions.AddCopy(pInstruction.get()) != 0) {
        throw std::bad_alloc();
    }
    pInstruction.release();
    return true;
}

// Adds the record of a section's line to the document definition; false
// with why it cannot be.
bool ReadSectionLine(Section section, const std::string& strLine, CDocDef& docDef,
                     std::string& strWhy) {
    switch (section) {
    case NoSection:
        strWhy = "a line before the first section";
        return false;
    case DataSection: {
        CDataDefinition record;
        if (!ReadsWhole(strLine,
                        [&](std::istream& line) { return ReadDataDefinition(record, line); })) {
            strWhy = "not a data definition";
            return false;
        }
        if (docDef.fields.FindByName(record.strName) != nullptr) {
            strWhy = std::string("the data field ") + record.strName.Text() + " is defined twice";
            return false;
        }
        AddOrReplace(docDef.fields, record);
        return true;
    }
    case AreaSection: {
        CAreaDefinition area;
        if (!ReadsWhole(strLine, [&](std::istream& line) { return ReadArea(area, line); })) {
            strWhy = "not an area definition";
            return false;
        }
        if (docDef.areas.FindByName(area.strName) != nullptr) {
            strWhy = std::string("the area ") + area.strName.Text() + " is defined twice";
            return false;
        }
        AddOrReplace(docDef.areas, area);
        return true;
    }
    case InstructionSection:
        break;
    }
    return ReadInstruction(strLine, docDef, strWhy);
}

} // namespace

bool ReadDocDefText(const std::string& strText, CDocDef& docDef, std::string& strError) {
    std::istringstream in(strText);
    RethrowReadFailures(in);
    std::string strLine;
    Section section = NoSection;
    bool bVersion = false;
    for (int nLine = 1; std::getline(in, strLine); ++nLine) {
        if (!strLine.empty() && strLine.back() == '\r') {
            strLine.pop_back();
        }
        std::string strWhy;
        // A line's words are read past leading blanks, so a name cannot
        // begin with a comment's or a section's mark: written back at the
        // start of its line, it would read as one.
        size_t nFirst = strLine.find_first_not_of(" \t\r\v\f");
        char cFirst = nFirst == std::string::npos ? '\0' : strLine[nFirst];
        if (!bVersion) {
            strWhy = strLine != "Docdef-Version-1.0"
                         ? "the file does not begin with Docdef-Version-1.0"
                         : "";
            bVersion = true;
        } else if (strLine.empty() || strLine[0] == ';') {
            continue;
        } else if (cFirst == ';') {
            strWhy = "a comment after blanks";
        } else if (strLine.size() > MaxTextLine) {
            strWhy = "longer than " + std::to_string(MaxTextLine) + " characters";
        } else if (strLine == "[DataDefinition]") {
            section = DataSection;
        } else if (strLine == "[AreaDefinition]") {
            section = AreaSection;
        } else if (strLine == "[DocumentInstructions]") {
            section = InstructionSection;
        } else if (cFirst == '[') {
            strWhy = "unknown section " + strLine;
        } else {
            ReadSectionLine(section, strLine, docDef, strWhy);
        }
        if (!strWhy.empty()) {
            strError = "line " + std::to_string(nLine) + ": " + strWhy;
            return false;
        }
    }
    if (!bVersion) {
        strError = "line 1: the file does not begin with Docdef-Version-1.0";
        return false;
    }
    return true;
}
