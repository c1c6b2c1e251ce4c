#include "Instructions.h"

#include "DataDefinition.h"
#include "core/AreaDefinition.h"
#include "core/LineReader.h"

#include <istream>
#include <ostream>
#include <sstream>
#include <string>

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
    return ReadRecordLine(in, [this](std::istream& words) {
        std::string strWord;
        if (!(words >> strWord) || strWord != "IncludePages" ||
            ReadQuoted(words, strFile) != ReadOk ||
            !(words >> strFirst >> strLast >> dWidth >> dHeight >> dThird)) {
            return false;
        }
        return !strFile.IsEmpty() && !strFirst.IsEmpty() && !strLast.IsEmpty() && dWidth > 0 &&
               dHeight > 0;
    });
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
    return ReadRecordLine(in, [&](std::istream& words) {
        std::string strWord;
        if (!(words >> strWord) || strWord != "Merge" || !(words >> strAreaName)) {
            return false;
        }
        // A named object without a data field has an empty field name.
        if (!(words >> strFieldName)) {
            strFieldName = "";
        }
        pArea = areas.FindByName(strAreaName);
        pField = fields.FindByName(strFieldName);
        return true;
    });
}
