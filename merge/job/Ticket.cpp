#include "merge/job/Ticket.h"

#include "core/JsonDepth.h"
#include "core/PathParts.h"
#include "merge/data/DataCopies.h"
#include "merge/data/DataFormat.h"
#include "merge/files/InputFiles.h"
#include "merge/job/PagePlan.h"

#include <nlohmann/json.hpp>

#include <strings.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using nlohmann::json;

// The press sheets known by name, in points, portrait.
struct CSheetName {
    const char* pName;
    double dWidth;
    double dHeight;
};
const CSheetName SheetNames[] = {
    {"Letter", 612, 792},    {"Tabloid", 792, 1224},    {"A4", 595.28, 841.89},
    {"A3", 841.89, 1190.55}, {"SRA3", 907.09, 1275.59},
};

// The orders of the copies on the sheets, by name.
const struct {
    StackOrder order;
    const char* pName;
} Orders[] = {{StackOrder::CutStack, "cut-stack"}, {StackOrder::InOrder, "in-order"}};

// A number of points: digits with an optional fraction, from 0 to dMax.
bool Points(const std::string& strText, double dMax, double& dValue) {
    if (strText.empty() || strText.find_first_not_of("0123456789.") != std::string::npos) {
        return false;
    }
    char* pEnd = nullptr;
    dValue = strtod(strText.c_str(), &pEnd);
    return *pEnd == '\0' && std::isfinite(dValue) && dValue >= 0 && dValue <= dMax;
}

// "AxB" as two parts.
bool Pair(const std::string& strText, std::string& strFirst, std::string& strSecond) {
    size_t nX = strText.find_first_of("xX");
    strFirst = strText.substr(0, nX);
    strSecond = nX == std::string::npos ? "" : strText.substr(nX + 1);
    return nX != std::string::npos;
}

// "NAME=VALUE" as two parts, the name not empty.
bool Assignment(const std::string& strText, std::string& strName, std::string& strValue) {
    size_t nEquals = strText.find('=');
    strName = strText.substr(0, nEquals);
    strValue = nEquals == std::string::npos ? "" : strText.substr(nEquals + 1);
    return nEquals != std::string::npos && nEquals > 0;
}

bool Same(const std::string& strText, const char* pName) {
    return strcasecmp(strText.c_str(), pName) == 0;
}

bool Switch(const std::string& strValue, bool& bValue) {
    bValue = Same(strValue, "true") || Same(strValue, "yes") || Same(strValue, "on");
    return bValue || Same(strValue, "false") || Same(strValue, "no") || Same(strValue, "off");
}

// "WxH" in points, each from 1 to the largest page side.
bool Size(const std::string& strValue, double& dWidth, double& dHeight) {
    std::string strWidth;
    std::string strHeight;
    return Pair(strValue, strWidth, strHeight) && Points(strWidth, MaxPageSide, dWidth) &&
           Points(strHeight, MaxPageSide, dHeight) && dWidth >= 1 && dHeight >= 1;
}

bool SetSheet(CJobTicket& ticket, const std::string& strValue) {
    for (const CSheetName& sheet : SheetNames) {
        if (Same(strValue, sheet.pName)) {
            ticket.dSheetWidth = sheet.dWidth;
            ticket.dSheetHeight = sheet.dHeight;
            return true;
        }
    }
    return Size(strValue, ticket.dSheetWidth, ticket.dSheetHeight);
}

bool SetImpose(CJobTicket& ticket, const std::string& strValue) {
    if (Same(strValue, "auto")) {
        ticket.nColumns = ticket.nRows = 0;
        return true;
    }
    std::string strColumns;
    std::string strRows;
    double dColumns = 0;
    double dRows = 0;
    bool bGood = Pair(strValue, strColumns, strRows) && strColumns.find('.') == std::string::npos &&
                 strRows.find('.') == std::string::npos && Points(strColumns, 100, dColumns) &&
                 Points(strRows, 100, dRows) && dColumns >= 1 && dRows >= 1;
    ticket.nColumns = static_cast<int>(dColumns);
    ticket.nRows = static_cast<int>(dRows);
    return bGood;
}

bool SetFit(CJobTicket& ticket, const std::string& strValue) {
    std::string strArea;
    std::string strFit;
    CFitSpec fit;
    if (!Assignment(strValue, strArea, strFit)) {
        return false;
    }
    if (strcasecmp(strFit.substr(0, 7).c_str(), "shrink:") == 0) {
        if (!Points(strFit.substr(7), 1000, fit.dMinSize) || fit.dMinSize < 1) {
            return false;
        }
    } else if (!Same(strFit, "shrink")) {
        return false;
    }
    ticket.fits[strArea] = fit;
    return true;
}

bool SetCode(CJobTicket& ticket, const std::string& strValue) {
    std::string strArea;
    std::string strCode;
    if (!Assignment(strValue, strArea, strCode)) {
        return false;
    }
    CCodeSpec code;
    if (strCode.size() == 4 && Same(strCode.substr(0, 3), "qr:") &&
        std::string("LMQH").find(static_cast<char>(toupper(strCode[3]))) != std::string::npos) {
        code.cQrLevel = static_cast<char>(toupper(strCode[3]));
        ticket.codes[strArea] = code;
        return true;
    }
    if (!CodeKindNamed(strCode, code.kind)) {
        return false;
    }
    ticket.codes[strArea] = code;
    return true;
}

bool SetValue(CJobTicket& ticket, const std::string& strValue) {
    std::string strArea;
    std::string strTemplate;
    CNumbering numbering;
    std::string strError;
    if (!Assignment(strValue, strArea, strTemplate) ||
        !ParseNumbering(strTemplate, numbering, strError)) {
        return false;
    }
    ticket.values[strArea] = numbering;
    return true;
}

// "X,Y,SIZE" in points: the code's corner on the page, its side from 8 to 288.
bool SetFinishingPlace(CJobTicket& ticket, const std::string& strValue) {
    size_t nFirst = strValue.find(',');
    size_t nSecond = nFirst == std::string::npos ? nFirst : strValue.find(',', nFirst + 1);
    double adValues[3] = {};
    bool bGood =
        nSecond != std::string::npos &&
        Points(strValue.substr(0, nFirst), MaxPageSide, adValues[0]) &&
        Points(strValue.substr(nFirst + 1, nSecond - nFirst - 1), MaxPageSide, adValues[1]) &&
        Points(strValue.substr(nSecond + 1), 288, adValues[2]) && adValues[2] >= 8;
    if (bGood) {
        ticket.dFinishingX = adValues[0];
        ticket.dFinishingY = adValues[1];
        ticket.dFinishingSize = adValues[2];
        ticket.bFinishingPlaced = ticket.bFinishingCode = true;
    }
    return bGood;
}

// Each key: its value's name and help as a command-line option gives them,
// and how its text form is set; the imposition's keys put the copies on
// sheets.
const CTicketKey Keys[] = {
    {"sheet", "NAME|WxH", "press sheets: Letter, Tabloid, A4, A3, SRA3 or points", true, SetSheet},
    {"card", "WxH", "the card's trim size, centred on the page (default: the page's)", true,
     [](CJobTicket& t, const std::string& s) { return Size(s, t.dCardWidth, t.dCardHeight); }},
    {"impose", "CxR|auto", "cards across and down a sheet (default auto: as many as fit)", true,
     SetImpose},
    {"order", "cut-stack|in-order", "the copies' order on the sheets (default cut-stack)", true,
     [](CJobTicket& t, const std::string& s) {
         for (const auto& order : Orders) {
             if (Same(s, order.pName)) {
                 t.order = order.order;
                 return true;
             }
         }
         return false;
     }},
    {"marks", nullptr, "crop marks at the trim lines", true,
     [](CJobTicket& t, const std::string& s) { return Switch(s, t.bMarks); }},
    {"bleed", "PT", "what is drawn past each card's trim (default 0)", true,
     [](CJobTicket& t, const std::string& s) { return Points(s, 72, t.dBleed); }},
    {"gutter", "PT", "the space between the cards' bleeds (default 0)", true,
     [](CJobTicket& t, const std::string& s) { return Points(s, 720, t.dGutter); }},
    {"duplex", nullptr, "each card's back behind its front (work and turn)", true,
     [](CJobTicket& t, const std::string& s) { return Switch(s, t.bDuplex); }},
    {"fit", "AREA=shrink[:MIN]", "shrink the text of the area (or all) to fit, to MIN pt (6)",
     false, SetFit},
    {"optional", "FIELD", "the field may be empty; its empty lines are closed up", false,
     [](CJobTicket& t, const std::string& s) {
         return !s.empty() && (t.optional.insert(s), true);
     }},
    {"code", "AREA=KIND", "draw the area as qr[:L|M|Q|H], code128, ean13, upca, datamatrix, pdf417",
     false, SetCode},
    {"data", "records|csv|tsv",
     "the data file's format (default: .csv, .tsv by name, else records)", false,
     [](CJobTicket& t, const std::string& s) {
         DataFormat format;
         return ParseDataFormat(s, format) && !(t.strData = s).empty();
     }},
    {"separator", "comma|semicolon|tab", "a delimited file's separator (default: its header's)",
     false, [](CJobTicket& t, const std::string& s) { return ParseSeparator(s, t.cSeparator); }},
    {"columns", "FIELD=COLUMN", "the column of the field in a delimited file (default: its name)",
     false,
     [](CJobTicket& t, const std::string& s) {
         std::string strField;
         std::string strColumn;
         return Assignment(s, strField, strColumn) && !strColumn.empty() &&
                (t.columns[strField] = strColumn, true);
     },
     "column"},
    {"value", "AREA=TEXT",
     "the area's value made by the run: text with {copy}, {copies}, {page}, {pages}, {sheet}, "
     "{side} ({copy:06}: six digits)",
     false, SetValue},
    {"finishing-code", nullptr,
     "a DataMatrix on every page naming its copy and page (on a sheet: the sheet, side, copies)",
     false, [](CJobTicket& t, const std::string& s) { return Switch(s, t.bFinishingCode); }},
    {"finishing-place", "X,Y,SIZE",
     "the finishing code's lower left corner and side, points (default: in a corner)", false,
     SetFinishingPlace},
    {"pdf-standard", "pdf/vt-1|none",
     "what the PDF claims: PDF/X-4 and PDF/VT-1 (default), or none (a plain PDF)", false,
     [](CJobTicket& t, const std::string& s) {
         t.bPdfStandard = Same(s, "pdf/vt-1");
         return t.bPdfStandard || Same(s, "none");
     }},
    {"output-intent", "FILE.icc",
     "the CMYK output profile the PDF is printed to (default: Ghostscript's, US coated SWOP)",
     false, [](CJobTicket& t, const std::string& s) { return !(t.strOutputIntent = s).empty(); }},
    {"output-condition", "NAME",
     "the output intent's printing condition, as FOGRA39 or GRACoL2006 (default: Custom)", false,
     [](CJobTicket& t, const std::string& s) {
         return !s.empty() && s.size() <= 256 && (t.strOutputCondition = s, true);
     }},
    {"recipient", "FIELD", "a field naming each copy's recipient in the PDF's document parts",
     false,
     [](CJobTicket& t, const std::string& s) {
         if (!s.empty() &&
             std::find(t.recipient.begin(), t.recipient.end(), s) == t.recipient.end()) {
             t.recipient.push_back(s);
         }
         return !s.empty();
     }},
};

// The text forms of a key's JSON value: a string, number or switch as its
// one text; an object as NAME=VALUE texts, a list as its strings.
bool TextForms(const json& value, std::vector<std::string>& forms) {
    if (value.is_string()) {
        forms.push_back(value.get<std::string>());
    } else if (value.is_boolean()) {
        forms.push_back(value.get<bool>() ? "true" : "false");
    } else if (value.is_number()) {
        double dValue = value.get<double>();
        char szNumber[32];
        snprintf(szNumber, sizeof szNumber, "%.4f", dValue);
        forms.push_back(dValue < 0 ? "-" : szNumber);
    } else if (value.is_object()) {
        for (const auto& item : value.items()) {
            if (!item.value().is_string()) {
                return false;
            }
            forms.push_back(item.key() + "=" + item.value().get<std::string>());
        }
    } else if (value.is_array()) {
        for (const json& item : value) {
            if (!item.is_string()) {
                return false;
            }
            forms.push_back(item.get<std::string>());
        }
    } else {
        return false;
    }
    return true;
}

} // namespace

const CFitSpec* CJobTicket::Fit(const char* pArea) const {
    if (fits.empty()) {
        return nullptr;
    }
    auto found = fits.find(pArea);
    found = found != fits.end() ? found : fits.find(AllAreas);
    return found != fits.end() ? &found->second : nullptr;
}

const CCodeSpec* CJobTicket::Code(const char* pArea) const {
    if (codes.empty()) {
        return nullptr;
    }
    auto found = codes.find(pArea);
    return found != codes.end() ? &found->second : nullptr;
}

bool SetTicketValue(CJobTicket& ticket, const std::string& strKey, const std::string& strValue,
                    std::string& strError) {
    for (const CTicketKey& key : Keys) {
        if (strKey == key.pName) {
            if (!key.set(ticket, strValue)) {
                strError = strKey + " " + Shown(strValue) + ": not a value it takes" +
                           ValueProblem(strKey, strValue);
                return false;
            }
            bool bOn = true;
            ticket.bImposed =
                ticket.bImposed ||
                (key.bImposes && (key.pValue != nullptr || (Switch(strValue, bOn) && bOn)));
            return true;
        }
    }
    strError = "\"" + Shown(strKey) + "\" is no setting of a job ticket";
    return false;
}

bool ReadTicket(const std::string& strPath, size_t nMaxBytes, CJobTicket& ticket,
                std::string& strError) {
    std::string strText;
    if (!ReadWholeFile(strPath, std::min(nMaxBytes, MaxTicketBytes), strText, strError)) {
        strError = "cannot read the job ticket " + strError;
        return false;
    }
    size_t nDeep = 0;
    if (!JsonWithinDepth(strText, MaxJsonDepth, nDeep)) {
        strError = strPath + ": byte " + std::to_string(nDeep) + ": nested deeper than " +
                   std::to_string(MaxJsonDepth) + " levels; not a job ticket";
        return false;
    }
    json ticketJson = json::parse(strText, nullptr, false);
    if (ticketJson.is_discarded() || !ticketJson.is_object()) {
        strError = strPath + ": not a job ticket (a JSON object)";
        return false;
    }
    for (const auto& item : ticketJson.items()) {
        std::vector<std::string> forms;
        if (!TextForms(item.value(), forms)) {
            strError = strPath + ": \"" + Shown(item.key()) + "\": " + Shown(item.value().dump()) +
                       " is not a value it takes";
            return false;
        }
        for (std::string& strForm : forms) {
            // A profile named by the ticket lies beside it.
            if (item.key() == "output-intent" && !strForm.empty() && strForm[0] != '/') {
                strForm = FolderOf(strPath) + "/" + strForm;
            }
            if (!SetTicketValue(ticket, item.key(), strForm, strError)) {
                strError = strPath + ": " + strError;
                return false;
            }
        }
    }
    return true;
}

std::string ValueProblem(const std::string& strKey, const std::string& strValue) {
    std::string strArea;
    std::string strTemplate;
    CNumbering numbering;
    std::string strError;
    if (strKey != "value" || !Assignment(strValue, strArea, strTemplate) ||
        ParseNumbering(strTemplate, numbering, strError)) {
        return "";
    }
    return ": " + strError;
}

std::string Shown(const std::string& strValue) {
    const size_t nMost = 40;
    return strValue.size() <= nMost ? strValue : strValue.substr(0, nMost) + "...";
}

const CTicketKey* TicketKeys(size_t& nCount) {
    nCount = sizeof Keys / sizeof Keys[0];
    return Keys;
}

std::string TicketBeside(const std::string& strDocDefFile) {
    CPathParts parts = SplitPath(strDocDefFile);
    return parts.strDrive + parts.strFolder + parts.strName + ".ticket.json";
}

namespace {

// Each name the key gives is a data field of the job; false with a message
// naming the first that is not.
bool KnownFields(const char* pKey, const std::vector<std::string>& names,
                 const std::set<std::string>& fields, std::string& strError) {
    for (const std::string& strField : names) {
        if (fields.count(strField) == 0) {
            strError =
                std::string(pKey) + " " + strField + ": the job has no data field of that name";
            return false;
        }
    }
    return true;
}

// The areas the ticket names: a fit's a text area, a code's any area, a
// computed value's a text or code area (and {sheet} or {side} only on
// sheets); false with a message naming the first that is not.
bool KnownAreas(const CJobTicket& ticket,
                const std::map<std::string, const CAreaDefinition*>& areas, std::string& strError) {
    for (const auto& fit : ticket.fits) {
        auto found = areas.find(fit.first);
        if (fit.first != AllAreas && (found == areas.end() || found->second->nKind != KindText ||
                                      ticket.Code(fit.first.c_str()) != nullptr)) {
            strError = "fit " + fit.first + ": the job has no text area of that name";
            return false;
        }
    }
    for (const auto& code : ticket.codes) {
        if (areas.count(code.first) == 0) {
            strError = "code " + code.first + ": the job has no area of that name";
            return false;
        }
    }
    for (const auto& value : ticket.values) {
        auto found = areas.find(value.first);
        if (found == areas.end() ||
            (found->second->nKind != KindText && ticket.Code(value.first.c_str()) == nullptr)) {
            strError = "value " + value.first + ": the job has no text or code area of that name";
            return false;
        }
        if (value.second.UsesSheets() && !ticket.bImposed) {
            strError = "value " + value.first +
                       ": {sheet} and {side} count press sheets, and the job has none (--sheet)";
            return false;
        }
    }
    return true;
}

} // namespace

bool CheckTicketNames(const CJobTicket& ticket, const CDocDef& docDef, std::string& strError) {
    std::map<std::string, const CAreaDefinition*> areas;
    docDef.areas.ForEachArea(
        [&](const CAreaDefinition& area) { areas.emplace(area.strName.Text(), &area); });
    std::set<std::string> fields;
    docDef.fields.ForEachRecord([&](const CDataDefinition& record) {
        if (!IsFiller(record)) {
            fields.insert(record.strName.Text());
        }
    });
    std::vector<std::string> columnFields;
    for (const auto& column : ticket.columns) {
        columnFields.push_back(column.first);
    }
    if (!KnownFields("optional", {ticket.optional.begin(), ticket.optional.end()}, fields,
                     strError) ||
        !KnownFields("columns", columnFields, fields, strError) ||
        !KnownFields("recipient", ticket.recipient, fields, strError) ||
        !KnownAreas(ticket, areas, strError)) {
        return false;
    }
    for (const CPlannedMerge& merge : JobMerges(docDef)) {
        if (ticket.Code(merge.pArea->strName.Text()) != nullptr &&
            merge.pField->nStorage == StorageReference) {
            strError = std::string("code ") + merge.pArea->strName.Text() + ": its field " +
                       merge.strField + " names pictures, not the value of a code";
            return false;
        }
    }
    return true;
}
