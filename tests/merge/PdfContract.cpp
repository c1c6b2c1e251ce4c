#include "PdfContract.h"

#include "merge/pdf/IccProfile.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace {

class CContract {
  public:
    explicit CContract(const std::string& strPath) : m_strPath(strPath) {}
    std::vector<CBrokenRule> Check();

  private:
    void Broken(const std::string& strRule, const std::string& strWhat) {
        m_broken.push_back({strRule, strWhat});
    }
    void Header();
    void Identity();
    void Metadata();
    void Agreement();
    void OutputIntent();
    void Pages();
    void Forbidden();
    void Parts();
    void Forms();

    std::string m_strPath;
    QPDF m_pdf;
    std::vector<CBrokenRule> m_broken;
    std::map<std::string, std::string> m_xmp; // element to text
};

std::string Data(QPDFObjectHandle stream) {
    std::shared_ptr<Buffer> data = stream.getStreamData(qpdf_dl_generalized);
    return std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
}

// A box as four numbers, or false.
bool Box(QPDFObjectHandle box, double adBox[4]) {
    if (!box.isArray() || box.getArrayNItems() != 4) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        if (!box.getArrayItem(i).getValueAsNumber(adBox[i])) {
            return false;
        }
    }
    return true;
}

bool Within(const double adInner[4], const double adOuter[4]) {
    return adInner[0] >= adOuter[0] - 0.01 && adInner[1] >= adOuter[1] - 0.01 &&
           adInner[2] <= adOuter[2] + 0.01 && adInner[3] <= adOuter[3] + 0.01;
}

// "D:20261210083000+00'00'" as "2026-12-10T08:30:00+00:00".
std::string AsXmpDate(const std::string& strDate) {
    std::smatch match;
    static const std::regex date(
        "^D:(\\d{4})(\\d\\d)(\\d\\d)(\\d\\d)(\\d\\d)(\\d\\d)([+-])(\\d\\d)'(\\d\\d)'?$");
    if (!std::regex_match(strDate, match, date)) {
        return "not a date: " + strDate;
    }
    return match[1].str() + "-" + match[2].str() + "-" + match[3].str() + "T" + match[4].str() +
           ":" + match[5].str() + ":" + match[6].str() + match[7].str() + match[8].str() + ":" +
           match[9].str();
}

// The operators a content stream uses before it first paints.
class CFirstOperators : public QPDFObjectHandle::ParserCallbacks {
  public:
    void handleObject(QPDFObjectHandle object) override {
        if (object.isOperator() && !m_bPainted) {
            std::string strOp = object.getOperatorValue();
            m_bPainted = strOp == "S" || strOp == "s" || strOp == "f" || strOp == "F" ||
                         strOp == "f*" || strOp == "B" || strOp == "B*" || strOp == "b" ||
                         strOp == "b*" || strOp == "Tj" || strOp == "TJ" || strOp == "'" ||
                         strOp == "\"" || strOp == "Do" || strOp == "sh" || strOp == "BI";
            if (!m_bPainted) {
                operators.insert(strOp);
            }
        }
    }
    void handleEOF() override {}
    std::set<std::string> operators;

  private:
    bool m_bPainted = false;
};

// Calls the visitor with every dictionary within the object (a stream's
// own, and those nested in arrays and dictionaries), indirect ones not
// followed.
void ForEachDictionary(QPDFObjectHandle object, const std::function<void(QPDFObjectHandle)>& visit,
                       int nDepth = 0) {
    QPDFObjectHandle dictionary = object.isStream() ? object.getDict() : object;
    if (nDepth > 32) {
        return;
    }
    if (dictionary.isDictionary()) {
        visit(dictionary);
        for (const std::string& strKey : dictionary.getKeys()) {
            QPDFObjectHandle item = dictionary.getKey(strKey);
            if (!item.isIndirect()) {
                ForEachDictionary(item, visit, nDepth + 1);
            }
        }
    } else if (dictionary.isArray()) {
        for (QPDFObjectHandle& item : dictionary.aitems()) {
            if (!item.isIndirect()) {
                ForEachDictionary(item, visit, nDepth + 1);
            }
        }
    }
}

void CContract::Header() {
    std::ifstream in(m_strPath, std::ios::binary);
    char szHeader[9] = {};
    in.read(szHeader, 8);
    if (std::string(szHeader) != "%PDF-1.6") {
        Broken("header", std::string("the file begins \"") + szHeader + "\", not \"%PDF-1.6\"");
    }
}

void CContract::Identity() {
    QPDFObjectHandle id = m_pdf.getTrailer().getKey("/ID");
    if (!id.isArray() || id.getArrayNItems() != 2 || !id.getArrayItem(0).isString() ||
        id.getArrayItem(0).getStringValue().empty()) {
        Broken("id", "the trailer has no /ID of two strings");
    }
    QPDFObjectHandle info = m_pdf.getTrailer().getKey("/Info");
    for (const char* pKey : {"/Title", "/Producer", "/CreationDate", "/ModDate"}) {
        if (!info.isDictionary() || !info.getKey(pKey).isString()) {
            Broken("info", std::string("the Info dictionary has no ") + pKey);
        }
    }
    if (!info.isDictionary() || !info.getKey("/Trapped").isNameAndEquals("/False")) {
        Broken("info", "the Info dictionary has no /Trapped /False");
    }
}

void CContract::Metadata() {
    QPDFObjectHandle metadata = m_pdf.getRoot().getKey("/Metadata");
    if (!metadata.isStream() || !metadata.getDict().getKey("/Subtype").isNameAndEquals("/XML")) {
        Broken("xmp", "the catalogue has no XML metadata stream");
        return;
    }
    std::string strXmp = Data(metadata);
    std::regex element("<([A-Za-z]+:[A-Za-z_]+)>([^<]*)</\\1>");
    for (std::sregex_iterator it(strXmp.begin(), strXmp.end(), element), end; it != end; ++it) {
        m_xmp[(*it)[1]] = (*it)[2];
    }
    std::smatch title;
    if (std::regex_search(
            strXmp, title,
            std::regex("<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">([^<]*)<"))) {
        m_xmp["dc:title"] = title[1];
    }
    const std::pair<const char*, const char*> required[] = {
        {"pdfxid:GTS_PDFXVersion", "PDF/X-4"},
        {"pdfvtid:GTS_PDFVTVersion", "PDF/VT-1"},
        {"pdfvtid:GTS_PDFVTModDate", nullptr},
        {"xmp:CreateDate", nullptr},
        {"xmp:ModifyDate", nullptr},
        {"xmp:MetadataDate", nullptr},
        {"xmpMM:DocumentID", nullptr},
        {"xmpMM:InstanceID", nullptr},
        {"xmpMM:VersionID", nullptr},
        {"xmpMM:RenditionClass", nullptr},
        {"dc:title", nullptr},
        {"pdf:Producer", nullptr},
        {"pdf:Trapped", "False"}};
    for (const auto& entry : required) {
        auto found = m_xmp.find(entry.first);
        if (found == m_xmp.end() || (entry.second != nullptr && found->second != entry.second)) {
            Broken("xmp", std::string("the XMP has no ") + entry.first +
                              (entry.second != nullptr ? std::string(" ") + entry.second : ""));
        }
    }
    if (m_xmp["pdfvtid:GTS_PDFVTModDate"] != m_xmp["xmp:ModifyDate"]) {
        Broken("xmp", "GTS_PDFVTModDate differs from xmp:ModifyDate");
    }
    for (const char* pPrefix : {"dc", "xmp", "xmpMM", "pdf", "pdfxid", "pdfvtid"}) {
        if (strXmp.find(std::string("xmlns:") + pPrefix + "=\"") == std::string::npos) {
            Broken("xmp", std::string("the namespace ") + pPrefix + " is not declared");
        }
    }
    for (const char* pSchema :
         {"http://www.npes.org/pdfx/ns/id/", "http://www.npes.org/pdfvt/ns/id/"}) {
        if (strXmp.find(std::string("<pdfaSchema:namespaceURI>") + pSchema) == std::string::npos) {
            Broken("xmp", std::string("no extension schema describes ") + pSchema);
        }
    }
    Agreement();
}

// The Info dictionary and the XMP agree.
void CContract::Agreement() {
    QPDFObjectHandle info = m_pdf.getTrailer().getKey("/Info");
    if (!info.isDictionary()) {
        return;
    }
    const std::pair<const char*, const char*> same[] = {{"/Title", "dc:title"},
                                                        {"/Producer", "pdf:Producer"}};
    for (const auto& pair : same) {
        if (!info.getKey(pair.first).isString() ||
            info.getKey(pair.first).getUTF8Value() != m_xmp[pair.second]) {
            Broken("agree", std::string("Info ") + pair.first + " differs from " + pair.second);
        }
    }
    const std::pair<const char*, const char*> dates[] = {{"/CreationDate", "xmp:CreateDate"},
                                                         {"/ModDate", "xmp:ModifyDate"}};
    for (const auto& pair : dates) {
        if (!info.getKey(pair.first).isString() ||
            AsXmpDate(info.getKey(pair.first).getStringValue()) != m_xmp[pair.second]) {
            Broken("agree", std::string("Info ") + pair.first + " differs from " + pair.second);
        }
    }
}

void CContract::OutputIntent() {
    QPDFObjectHandle intents = m_pdf.getRoot().getKey("/OutputIntents");
    int nPdfx = 0;
    for (QPDFObjectHandle& intent : intents.getArrayAsVector()) {
        if (!intent.isDictionary() || !intent.getKey("/S").isNameAndEquals("/GTS_PDFX")) {
            continue;
        }
        ++nPdfx;
        if (!intent.getKey("/OutputConditionIdentifier").isString()) {
            Broken("intent", "the output intent has no OutputConditionIdentifier");
        }
        QPDFObjectHandle profile = intent.getKey("/DestOutputProfile");
        CIccProfile icc;
        std::string strError;
        if (!profile.isStream() || profile.getDict().getKey("/N").getIntValue() != 4 ||
            !ReadIccProfile(Data(profile), icc, strError)) {
            Broken("intent", "the output intent's profile is no CMYK output profile " + strError);
        }
    }
    if (nPdfx != 1) {
        Broken("intent", std::to_string(nPdfx) + " output intents of /GTS_PDFX, not one");
    }
}

void CContract::Pages() {
    int nPage = 0;
    for (QPDFPageObjectHelper& helper : QPDFPageDocumentHelper(m_pdf).getAllPages()) {
        QPDFObjectHandle page = helper.getObjectHandle();
        std::string strPage = "page " + std::to_string(++nPage);
        double adMedia[4];
        double adBleed[4];
        double adTrim[4];
        if (!Box(page.getKey("/MediaBox"), adMedia) || !Box(page.getKey("/BleedBox"), adBleed) ||
            !Box(page.getKey("/TrimBox"), adTrim)) {
            Broken("boxes", strPage + " lacks a MediaBox, BleedBox or TrimBox");
        } else if (!Within(adTrim, adBleed) || !Within(adBleed, adMedia)) {
            Broken("boxes", strPage + ": its TrimBox, BleedBox and MediaBox are not nested");
        }
        if (page.hasKey("/Annots") || page.hasKey("/AA")) {
            Broken("forbidden", strPage + " has annotations or actions");
        }
    }
}

void CContract::Forbidden() {
    QPDFObjectHandle root = m_pdf.getRoot();
    for (const char* pKey : {"/AcroForm", "/OpenAction", "/AA"}) {
        if (root.hasKey(pKey)) {
            Broken("forbidden", std::string("the catalogue has ") + pKey);
        }
    }
    QPDFObjectHandle names = root.getKey("/Names");
    if (names.isDictionary() && (names.hasKey("/EmbeddedFiles") || names.hasKey("/JavaScript"))) {
        Broken("forbidden", "the catalogue names embedded files or scripts");
    }
    for (QPDFObjectHandle& object : m_pdf.getAllObjects()) {
        std::string strObject = "object " + std::to_string(object.getObjectID());
        ForEachDictionary(object, [&](QPDFObjectHandle dictionary) {
            for (const char* pKey : {"/TR", "/TR2"}) {
                QPDFObjectHandle transfer = dictionary.getKey(pKey);
                if (!transfer.isNull() && !transfer.isNameAndEquals("/Default")) {
                    Broken("forbidden", strObject + " has a transfer function");
                }
            }
            if (dictionary.getKey("/Type").isNameAndEquals("/Font") &&
                !dictionary.getKey("/Subtype").isNameAndEquals("/Type3") &&
                !dictionary.getKey("/Subtype").isNameAndEquals("/Type0")) {
                QPDFObjectHandle descriptor = dictionary.getKey("/FontDescriptor");
                if (!descriptor.isDictionary() ||
                    !(descriptor.hasKey("/FontFile") || descriptor.hasKey("/FontFile2") ||
                      descriptor.hasKey("/FontFile3"))) {
                    Broken("fonts", "the font " + dictionary.getKey("/BaseFont").unparse() +
                                        " is not embedded");
                }
            }
            // A colour space named in resources, an image's or a
            // transparency group's.
            for (const char* pKey : {"/ColorSpace", "/CS"}) {
                QPDFObjectHandle space = dictionary.getKey(pKey);
                if (space.isNameAndEquals("/DeviceRGB") ||
                    ((space.isDictionary() || space.isArray()) &&
                     space.unparse().find("/DeviceRGB") != std::string::npos)) {
                    Broken("colour", strObject + " uses DeviceRGB, which a CMYK output intent "
                                                 "does not take");
                }
            }
        });
    }
}

void CContract::Parts() {
    QPDFObjectHandle root = m_pdf.getRoot().getKey("/DPartRoot");
    QPDFObjectHandle names = root.getKey("/NodeNameList");
    QPDFObjectHandle level = root.getKey("/RecordLevel");
    if (!root.isDictionary() || !names.isArray() || !level.isInteger() ||
        names.getArrayNItems() <= level.getIntValue() || level.getIntValue() < 0) {
        Broken("dparts", "no DPartRoot with a RecordLevel and a NodeNameList naming its levels");
        return;
    }
    // The leaves in order cover the pages in order, each page's /DPart its leaf.
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(m_pdf).getAllPages();
    size_t nNext = 0;
    std::vector<std::pair<QPDFObjectHandle, long long>> stack = {
        {root.getKey("/DPartRootNode"), 0}};
    while (!stack.empty()) {
        auto [node, nDepth] = stack.back();
        stack.pop_back();
        QPDFObjectHandle kids = node.getKey("/DParts");
        if (nDepth == level.getIntValue() &&
            !node.getKey("/DPM").getKey("/CIP4_Root").hasKey("/CIP4_Recipient")) {
            Broken("dparts", "a record's part has no CIP4_Root with its CIP4_Recipient");
        }
        if (kids.isArray()) {
            std::vector<QPDFObjectHandle> children;
            for (QPDFObjectHandle& array : kids.aitems()) {
                for (QPDFObjectHandle& child : array.aitems()) {
                    children.push_back(child);
                }
            }
            for (auto it = children.rbegin(); it != children.rend(); ++it) {
                stack.emplace_back(*it, nDepth + 1);
            }
            continue;
        }
        QPDFObjectHandle start = node.getKey("/Start");
        QPDFObjectHandle end = node.hasKey("/End") ? node.getKey("/End") : start;
        bool bInOrder =
            nNext < pages.size() && start.getObjGen() == pages[nNext].getObjectHandle().getObjGen();
        while (bInOrder && nNext < pages.size()) {
            QPDFObjectHandle page = pages[nNext++].getObjectHandle();
            bInOrder = page.getKey("/DPart").getObjGen() == node.getObjGen();
            if (page.getObjGen() == end.getObjGen()) {
                break;
            }
        }
        if (!bInOrder) {
            Broken("dparts",
                   "the document parts do not cover the pages in order, each page naming its part");
            return;
        }
    }
    if (nNext != pages.size()) {
        Broken("dparts", "pages after the last document part");
    }
}

void CContract::Forms() {
    // The forms each page draws; one drawn by more than one page is marked
    // for reuse and encapsulated.
    std::map<QPDFObjGen, int> drawn;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(m_pdf).getAllPages()) {
        for (auto& item : page.getFormXObjects()) {
            ++drawn[item.second.getObjGen()];
        }
    }
    for (const auto& form : drawn) {
        QPDFObjectHandle stream = m_pdf.getObjectByObjGen(form.first);
        QPDFObjectHandle dictionary = stream.getDict();
        std::string strForm = "form " + std::to_string(form.first.getObj());
        if (form.second > 1 && (!dictionary.getKey("/GTS_Scope").isName() ||
                                !dictionary.getKey("/GTS_Encapsulated").isBool() ||
                                !dictionary.getKey("/GTS_Encapsulated").getBoolValue())) {
            Broken("reuse", strForm + " is drawn by " + std::to_string(form.second) +
                                " pages and not marked for reuse");
        }
        if (dictionary.getKey("/GTS_Encapsulated").isBool() &&
            dictionary.getKey("/GTS_Encapsulated").getBoolValue()) {
            CFirstOperators first;
            QPDFObjectHandle::parseContentStream(stream, &first);
            for (const std::set<std::string>& either :
                 {std::set<std::string>{"g", "rg", "k", "cs", "sc", "scn"},
                  std::set<std::string>{"G", "RG", "K", "CS", "SC", "SCN"},
                  std::set<std::string>{"w"}, std::set<std::string>{"gs"},
                  std::set<std::string>{"d"}}) {
                bool bSet = false;
                for (const std::string& strOp : either) {
                    bSet = bSet || first.operators.count(strOp) != 0;
                }
                if (!bSet) {
                    Broken("encapsulated", strForm + " paints before it sets " + *either.begin());
                }
            }
        }
    }
}

std::vector<CBrokenRule> CContract::Check() {
    try {
        m_pdf.setSuppressWarnings(true);
        m_pdf.processFile(m_strPath.c_str());
        Header();
        Identity();
        Metadata();
        OutputIntent();
        Pages();
        Forbidden();
        Parts();
        Forms();
    } catch (const std::exception& error) {
        Broken("file", error.what());
    }
    return m_broken;
}

} // namespace

std::vector<CBrokenRule> BrokenRules(const std::string& strPath) {
    return CContract(strPath).Check();
}
