#include "Instructions.h"

#include "DataDefinition.h"
#include "model/AreaDefinition.h"
#include "model/LineReader.h"

#include <istream>
#include <ostream>
#include <sstream>
#include <string>

namespace {

// Reads the next line for an instruction reader; 0 with the line's words, or
// the line reader's result (a section line pushed back as 1).
int StartLine(std::istream& in, std::string& strLine) {
    int nResult = ReadTextLine(in, strLine);
    if (nResult != ReadOk) {
        return nResult;
    }
    if (!strLine.empty() && strLine[0] == '[') {
        PushBackLine(in, strLine);
        return ReadEndOfSection;
    }
    return ReadOk;
}

int Refuse(std::istream& in, const std::string& strLine) {
    PushBackLine(in, strLine);
    return ReadError;
}

} // namespace

void CIncludePages::Apply(IPagePlan& plan) const {
    plan.IncludePages(strFile, strFirst, strLast, dWidth, dHeight, dThird);
}

int CIncludePages::Write(std::ostream& out) const {
    out << "IncludePages \"" << strFile << "\" " << strFirst << ' ' << strLast << ' ' << dWidth
        << ' ' << dHeight << ' ' << dThird << '\n';
    out.flush();
    return out.fail() ? ReadError : ReadOk;
}

int CIncludePages::Read(std::istream& in, CAreaDefinitionList&, CDataDefinitionList&) {
    std::string strLine;
    int nResult = StartLine(in, strLine);
    if (nResult != ReadOk) {
        return nResult;
    }
    std::istringstream words(strLine);
    std::string strWord;
    if (!(words >> strWord) || strWord != "IncludePages" || ReadQuoted(words, strFile) != ReadOk ||
        !(words >> strFirst >> strLast >> dWidth >> dHeight >> dThird)) {
        return Refuse(in, strLine);
    }
    if (strFile.IsEmpty() || strFirst.IsEmpty() || strLast.IsEmpty() || !(dWidth > 0) ||
        !(dHeight > 0)) {
        return Refuse(in, strLine);
    }
    return ReadOk;
}

void CMerge::Apply(IPagePlan& plan) const {
    plan.Merge(strAreaName, strFieldName, pArea, pField);
}

int CMerge::Write(std::ostream& out) const {
    out << "Merge " << strAreaName << ' ' << strFieldName << '\n';
    out.flush();
    return out.fail() ? ReadError : ReadOk;
}

int CMerge::Read(std::istream& in, CAreaDefinitionList& areas, CDataDefinitionList& fields) {
    std::string strLine;
    int nResult = StartLine(in, strLine);
    if (nResult != ReadOk) {
        return nResult;
    }
    std::istringstream words(strLine);
    std::string strWord;
    if (!(words >> strWord) || strWord != "Merge" || !(words >> strAreaName)) {
        return Refuse(in, strLine);
    }
    // A named object without a data field has an empty field name.
    if (!(words >> strFieldName)) {
        strFieldName = "";
    }
    pArea = static_cast<const CAreaDefinition*>(
        areas.Find(strAreaName.Text(), [](const void* pItem, const void* pKey) {
            return static_cast<const CAreaDefinition*>(pItem)->strName.Equals(
                       static_cast<const char*>(pKey))
                       ? 0
                       : 1;
        }));
    pField = static_cast<const CDataDefinition*>(
        fields.Find(strFieldName.Text(), [](const void* pItem, const void* pKey) {
            return static_cast<const CDataDefinition*>(pItem)->strName.Equals(
                       static_cast<const char*>(pKey))
                       ? 0
                       : 1;
        }));
    return ReadOk;
}
