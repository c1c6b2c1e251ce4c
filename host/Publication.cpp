#include "Publication.h"

#include "core/JsonDepth.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <stdexcept>

using nlohmann::json;

namespace {

// Line and column (from 1) of a byte offset in the text.
std::string PlaceOf(const std::string& strText, size_t nOffset) {
    size_t nLine = 1;
    size_t nColumn = 1;
    for (size_t i = 0; i < nOffset && i < strText.size(); ++i) {
        if (strText[i] == '\n') {
            ++nLine;
            nColumn = 1;
        } else {
            ++nColumn;
        }
    }
    return "line " + std::to_string(nLine) + ", column " + std::to_string(nColumn);
}

// A wrong entry, named by its place in the document.
struct CEntryError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const json& Member(const json& object, const char* pName, const std::string& strWhere) {
    auto it = object.find(pName);
    if (it == object.end()) {
        throw CEntryError(strWhere + ": \"" + pName + "\" is missing");
    }
    return *it;
}

std::string StringMember(const json& object, const char* pName, const std::string& strWhere) {
    const json& value = Member(object, pName, strWhere);
    if (!value.is_string()) {
        throw CEntryError(strWhere + ": \"" + pName + "\" must be a string");
    }
    return value.get<std::string>();
}

int64_t NumberMember(const json& object, const char* pName, const std::string& strWhere,
                     int64_t nLow, int64_t nHigh) {
    const json& value = Member(object, pName, strWhere);
    if (!value.is_number_integer() || value.get<int64_t>() < nLow || value.get<int64_t>() > nHigh) {
        throw CEntryError(strWhere + ": \"" + pName + "\" must be a whole number from " +
                          std::to_string(nLow) + " to " + std::to_string(nHigh));
    }
    return value.get<int64_t>();
}

const json& ArrayMember(const json& object, const char* pName, const std::string& strWhere) {
    static const json empty = json::array();
    auto it = object.find(pName);
    if (it == object.end()) {
        return empty;
    }
    if (!it->is_array()) {
        throw CEntryError(strWhere + ": \"" + pName + "\" must be a list");
    }
    return *it;
}

// An optional list of whole numbers of a fixed length.
template <typename T, size_t N>
void ReadNumbers(const json& object, const char* pName, const std::string& strWhere,
                 T (&aValues)[N], int64_t nLow, int64_t nHigh) {
    auto it = object.find(pName);
    if (it == object.end()) {
        return;
    }
    if (!it->is_array() || it->size() != N) {
        throw CEntryError(strWhere + "\"" + pName + "\" must be a list of " + std::to_string(N) +
                          " whole numbers");
    }
    for (size_t i = 0; i < N; ++i) {
        const json& value = (*it)[i];
        if (!value.is_number_integer() || value.get<int64_t>() < nLow ||
            value.get<int64_t>() > nHigh) {
            throw CEntryError(strWhere + "\"" + pName + "\"[" + std::to_string(i) +
                              "] must be a whole number from " + std::to_string(nLow) + " to " +
                              std::to_string(nHigh));
        }
        aValues[i] = static_cast<T>(value.get<int64_t>());
    }
}

template <typename T, size_t N> json Numbers(const T (&aValues)[N]) {
    json list = json::array();
    for (T nValue : aValues) {
        list.push_back(nValue);
    }
    return list;
}

bool OptionalBool(const json& object, const char* pName, bool bDefault,
                  const std::string& strWhere) {
    auto it = object.find(pName);
    if (it == object.end()) {
        return bDefault;
    }
    if (!it->is_boolean()) {
        throw CEntryError(strWhere + "\"" + pName + "\" must be true or false");
    }
    return it->get<bool>();
}

std::string OptionalString(const json& object, const char* pName, const std::string& strDefault,
                           const std::string& strWhere) {
    return object.contains(pName) ? StringMember(object, pName, strWhere) : strDefault;
}

std::vector<CPrivateString> ReadStrings(const json& owner, const std::string& strWhere) {
    std::vector<CPrivateString> strings;
    const json& list = ArrayMember(owner, "privateStrings", strWhere);
    for (size_t i = 0; i < list.size(); ++i) {
        std::string strEntry = strWhere + "privateStrings[" + std::to_string(i) + "]";
        if (!list[i].is_object()) {
            throw CEntryError(strEntry + ": must be an object");
        }
        CPrivateString entry;
        entry.strDeveloper = StringMember(list[i], "developer", strEntry);
        entry.strKey = StringMember(list[i], "key", strEntry);
        entry.nIndex =
            static_cast<int32_t>(NumberMember(list[i], "index", strEntry, INT32_MIN, INT32_MAX));
        auto deleted = list[i].find("deleted");
        entry.bDeleted = deleted != list[i].end() && deleted->is_boolean() && deleted->get<bool>();
        if (!entry.bDeleted) {
            entry.strValue = StringMember(list[i], "value", strEntry);
        }
        strings.push_back(entry);
    }
    return strings;
}

json WriteStrings(const std::vector<CPrivateString>& strings) {
    json list = json::array();
    for (const CPrivateString& entry : strings) {
        json item = {
            {"developer", entry.strDeveloper}, {"key", entry.strKey}, {"index", entry.nIndex}};
        if (entry.bDeleted) {
            item["deleted"] = true;
        } else {
            item["value"] = entry.strValue;
        }
        list.push_back(item);
    }
    return list;
}

// A text block's attributes; what is not given keeps its default.
CTextAttributes ReadText(const json& text, const std::string& strWhere) {
    if (!text.is_object()) {
        throw CEntryError(strWhere + ": must be an object");
    }
    CTextAttributes attributes;
    std::string strPrefix = strWhere + ": ";
    attributes.strFont = OptionalString(text, "font", attributes.strFont, strPrefix);
    const struct {
        const char* pName;
        int16_t* pValue;
    } numbers[] = {{"size", &attributes.nSize},
                   {"leading", &attributes.nLeading},
                   {"alignment", &attributes.nAlignment},
                   {"style", &attributes.nStyle}};
    for (const auto& number : numbers) {
        if (text.contains(number.pName)) {
            *number.pValue = static_cast<int16_t>(
                NumberMember(text, number.pName, strWhere, INT16_MIN, INT16_MAX));
        }
    }
    attributes.strColor = OptionalString(text, "color", attributes.strColor, strPrefix);
    ReadNumbers(text, "cmyk", strPrefix, attributes.anCmyk, 0, 1000);
    attributes.strContent = OptionalString(text, "content", "", strPrefix);
    return attributes;
}

json WriteText(const CTextAttributes& text) {
    json item = {{"font", text.strFont},         {"size", text.nSize},   {"leading", text.nLeading},
                 {"alignment", text.nAlignment}, {"style", text.nStyle}, {"color", text.strColor},
                 {"cmyk", Numbers(text.anCmyk)}};
    if (!text.strContent.empty()) {
        item["content"] = text.strContent;
    }
    return item;
}

// The paper record of the "paper" member.
CPaperRecord ReadPaperEntry(const json& paper, CPaperRecord record) {
    if (!paper.is_object()) {
        throw CEntryError("\"paper\" must be an object");
    }
    record.strName = StringMember(paper, "name", "paper");
    record.strSecond = OptionalString(paper, "second", "", "paper: ");
    ReadNumbers(paper, "size", "paper: ", record.anSize, INT32_MIN, INT32_MAX);
    ReadNumbers(paper, "first", "paper: ", record.anFirstGroup, INT16_MIN, INT16_MAX);
    int32_t anSingle[1] = {record.nSingle};
    ReadNumbers(paper, "single", "paper: ", anSingle, INT32_MIN, INT32_MAX);
    record.nSingle = anSingle[0];
    ReadNumbers(paper, "last", "paper: ", record.anLastGroup, INT16_MIN, INT16_MAX);
    return record;
}

// The print options record of the "printOptions" member.
CPrintOptions ReadPrintOptionsEntry(const json& options, CPrintOptions record) {
    if (!options.is_object()) {
        throw CEntryError("\"printOptions\" must be an object");
    }
    ReadNumbers(options, "leading", "printOptions: ", record.anLeading, INT16_MIN, INT16_MAX);
    record.strName = OptionalString(options, "name", "", "printOptions: ");
    ReadNumbers(options, "trailing", "printOptions: ", record.anTrailing, INT16_MIN, INT16_MAX);
    return record;
}

// The default printer of the "printer" member: none when it is null.
void ReadPrinterEntry(const json& printer, CPublication& publication) {
    if (printer.is_null()) {
        publication.printer.bPresent = false;
    } else if (printer.is_object()) {
        publication.printer.bPostScript = OptionalBool(printer, "postscript", true, "printer: ");
        publication.printer.strName =
            OptionalString(printer, "name", publication.printer.strName, "printer: ");
    } else {
        throw CEntryError("\"printer\" must be an object or null");
    }
}

// One object of a page.
CHostObject ReadObjectEntry(const json& entry, const std::string& strObject) {
    if (!entry.is_object()) {
        throw CEntryError(strObject + ": must be an object");
    }
    CHostObject object;
    object.nId = static_cast<int32_t>(NumberMember(entry, "id", strObject, 1, INT32_MAX));
    object.nNumber = static_cast<int16_t>(NumberMember(entry, "number", strObject, 0, INT16_MAX));
    object.nKind = static_cast<int16_t>(NumberMember(entry, "kind", strObject, 0, INT16_MAX));
    ReadNumbers(entry, "bounds", strObject + ": ", object.anBounds, INT32_MIN, INT32_MAX);
    object.bRotated = entry.contains("corners");
    ReadNumbers(entry, "corners", strObject + ": ", object.anCorners, INT32_MIN, INT32_MAX);
    object.strEps = OptionalString(entry, "eps", "", strObject + ": ");
    if (entry.contains("text")) {
        object.bText = true;
        object.text = ReadText(entry["text"], strObject + ".text");
    }
    object.strings = ReadStrings(entry, strObject + ".");
    return object;
}

// One page and its objects.
CHostPage ReadPageEntry(const json& entry, const std::string& strPage) {
    if (!entry.is_object()) {
        throw CEntryError(strPage + ": must be an object");
    }
    CHostPage page;
    const json& objects = ArrayMember(entry, "objects", strPage);
    for (size_t o = 0; o < objects.size(); ++o) {
        page.objects.push_back(
            ReadObjectEntry(objects[o], strPage + ".objects[" + std::to_string(o) + "]"));
    }
    return page;
}

CPublication ReadDocument(const json& document) {
    if (!document.is_object()) {
        throw CEntryError("the publication must be a JSON object");
    }
    CPublication publication;
    auto path = document.find("path");
    if (path == document.end() || !path->is_string()) {
        throw CEntryError("\"path\" must be the publication's full path, as a string");
    }
    publication.strPath = path->get<std::string>();
    auto deleted = document.find("deletedStrings");
    if (deleted != document.end()) {
        if (*deleted == "marker") {
            publication.bDeletedReadsAsMarker = true;
        } else if (*deleted == "absent") {
            publication.bDeletedReadsAsMarker = false;
        } else {
            throw CEntryError("\"deletedStrings\" must be \"marker\" or \"absent\"");
        }
    }
    int32_t anPageSize[2] = {publication.nPageWidth, publication.nPageHeight};
    ReadNumbers(document, "pageSize", "", anPageSize, 1, INT32_MAX);
    publication.nPageWidth = anPageSize[0];
    publication.nPageHeight = anPageSize[1];
    publication.bFacingPages = OptionalBool(document, "facingPages", false, "");
    int16_t anCurrent[1] = {1};
    ReadNumbers(document, "currentPage", "", anCurrent, 1, INT16_MAX);
    publication.nCurrentPage = anCurrent[0];
    if (document.contains("paper")) {
        publication.paper = ReadPaperEntry(document["paper"], publication.paper);
    }
    if (document.contains("printOptions")) {
        publication.printOptions =
            ReadPrintOptionsEntry(document["printOptions"], publication.printOptions);
    }
    ReadNumbers(document, "printOptions2", "", publication.anPrintOptions2, INT16_MIN, INT16_MAX);
    if (document.contains("printer")) {
        ReadPrinterEntry(document["printer"], publication);
    }
    publication.strings = ReadStrings(document, "");
    const json& pages = ArrayMember(document, "pages", "");
    for (size_t p = 0; p < pages.size(); ++p) {
        publication.pages.push_back(ReadPageEntry(pages[p], "pages[" + std::to_string(p) + "]"));
    }
    return publication;
}

} // namespace

const CHostObject* CPublication::AtPlace(int32_t nId) const {
    auto found = m_places.find(nId);
    if (found == m_places.end() || found->second.nPage >= pages.size()) {
        return nullptr;
    }
    const CHostPage& page = pages[found->second.nPage];
    if (found->second.nObject >= page.objects.size() ||
        page.objects[found->second.nObject].nId != nId) {
        return nullptr;
    }
    return &page.objects[found->second.nObject];
}

void CPublication::IndexPlaces() const {
    m_places.clear();
    for (size_t p = 0; p < pages.size(); ++p) {
        for (size_t o = 0; o < pages[p].objects.size(); ++o) {
            // The first object of an identifier is the one found.
            m_places.emplace(pages[p].objects[o].nId, CPlace{p, o});
        }
    }
}

CHostObject* CPublication::FindObject(int32_t nId) {
    const CHostObject* pObject = AtPlace(nId);
    if (pObject == nullptr) {
        // Objects were added, moved or removed since: look again.
        IndexPlaces();
        pObject = AtPlace(nId);
    }
    return const_cast<CHostObject*>(pObject);
}

CHostObject HostObject(int32_t nId, int16_t nNumber, int16_t nKind,
                       std::vector<CPrivateString> strings) {
    CHostObject object;
    object.nId = nId;
    object.nNumber = nNumber;
    object.nKind = nKind;
    object.strings = std::move(strings);
    return object;
}

int16_t CPublication::PageOf(int32_t nId) const {
    for (size_t p = 0; p < pages.size(); ++p) {
        for (const CHostObject& object : pages[p].objects) {
            if (object.nId == nId) {
                return static_cast<int16_t>(p + 1);
            }
        }
    }
    return 0;
}

CHostPage* CPublication::CurrentPage() {
    if (nCurrentPage < 1 || static_cast<size_t>(nCurrentPage) > pages.size()) {
        return nullptr;
    }
    return &pages[static_cast<size_t>(nCurrentPage - 1)];
}

CPaperRecord CPublication::LetterPaper() {
    CPaperRecord paper;
    paper.strName = "Letter";
    paper.anSize[0] = 15840;
    paper.anSize[1] = 12240;
    return paper;
}

CPrivateString* FindPrivateString(std::vector<CPrivateString>& strings,
                                  const std::string& strDeveloper, const std::string& strKey,
                                  int32_t nIndex) {
    for (CPrivateString& entry : strings) {
        if (entry.strDeveloper == strDeveloper && entry.strKey == strKey &&
            entry.nIndex == nIndex) {
            return &entry;
        }
    }
    return nullptr;
}

bool LoadPublication(const std::string& strFile, CPublication& publication, std::string& strError) {
    std::ifstream in(strFile, std::ios::binary);
    if (!in) {
        strError = strFile + ": cannot open the publication file";
        return false;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    return ReadPublication(buffer.str(), strFile, publication, strError);
}

bool ReadPublication(const std::string& strText, const std::string& strFile,
                     CPublication& publication, std::string& strError) {
    json document;
    size_t nDeep = 0;
    if (!JsonWithinDepth(strText, MaxJsonDepth, nDeep)) {
        strError = strFile + ": " + PlaceOf(strText, nDeep) + ": nested deeper than " +
                   std::to_string(MaxJsonDepth) + " levels; not a valid publication file";
        return false;
    }
    try {
        document = json::parse(strText);
    } catch (const json::parse_error& error) {
        size_t nAt = error.byte > 0 ? error.byte - 1 : 0;
        strError = strFile + ": " + PlaceOf(strText, nAt) + ": not a valid publication file";
        return false;
    } catch (const json::exception& error) {
        // A number too large for any entry, and the like.
        strError = strFile + ": not a valid publication file: " + error.what();
        return false;
    }
    try {
        publication = ReadDocument(document);
    } catch (const CEntryError& error) {
        strError = strFile + ": " + error.what();
        return false;
    }
    return true;
}

bool SavePublication(const std::string& strFile, const CPublication& publication,
                     std::string& strError) {
    std::ofstream out(strFile, std::ios::binary | std::ios::trunc);
    out << PublicationText(publication);
    if (!out) {
        strError = strFile + ": cannot write the publication file";
        return false;
    }
    return true;
}

std::string PublicationText(const CPublication& publication) {
    json document;
    document["path"] = publication.strPath;
    document["deletedStrings"] = publication.bDeletedReadsAsMarker ? "marker" : "absent";
    int32_t anPageSize[2] = {publication.nPageWidth, publication.nPageHeight};
    document["pageSize"] = Numbers(anPageSize);
    document["facingPages"] = publication.bFacingPages;
    document["currentPage"] = json::array({publication.nCurrentPage});
    const CPaperRecord& paper = publication.paper;
    document["paper"] = {{"name", paper.strName},
                         {"second", paper.strSecond},
                         {"size", Numbers(paper.anSize)},
                         {"first", Numbers(paper.anFirstGroup)},
                         {"single", json::array({paper.nSingle})},
                         {"last", Numbers(paper.anLastGroup)}};
    document["printOptions"] = {{"leading", Numbers(publication.printOptions.anLeading)},
                                {"name", publication.printOptions.strName},
                                {"trailing", Numbers(publication.printOptions.anTrailing)}};
    document["printOptions2"] = Numbers(publication.anPrintOptions2);
    if (publication.printer.bPresent) {
        document["printer"] = {{"postscript", publication.printer.bPostScript},
                               {"name", publication.printer.strName}};
    } else {
        document["printer"] = nullptr;
    }
    document["privateStrings"] = WriteStrings(publication.strings);
    json pages = json::array();
    for (const CHostPage& page : publication.pages) {
        json objects = json::array();
        for (const CHostObject& object : page.objects) {
            json item = {{"id", object.nId},
                         {"number", object.nNumber},
                         {"kind", object.nKind},
                         {"bounds", Numbers(object.anBounds)}};
            if (object.bRotated) {
                item["corners"] = Numbers(object.anCorners);
            }
            if (!object.strEps.empty()) {
                item["eps"] = object.strEps;
            }
            if (object.bText) {
                item["text"] = WriteText(object.text);
            }
            item["privateStrings"] = WriteStrings(object.strings);
            objects.push_back(item);
        }
        pages.push_back({{"objects", objects}});
    }
    document["pages"] = pages;
    return document.dump(2) + "\n";
}
