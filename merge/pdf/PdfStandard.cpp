#include "merge/pdf/PdfStandard.h"

#include "NebVersion.h"
#include "core/PathParts.h"
#include "merge/data/TextEncoding.h"
#include "merge/files/InputFiles.h"
#include "merge/job/Pictures.h"
#include "merge/pdf/PdfFile.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Utc(time_t tWhen, const char* pFormat) {
    struct tm when {};
    gmtime_r(&tWhen, &when);
    char szText[64];
    strftime(szText, sizeof szText, pFormat, &when);
    return szText;
}

std::string Xml(const std::string& strText) {
    std::string strOut;
    for (char c : strText) {
        switch (c) {
        case '&':
            strOut += "&amp;";
            break;
        case '<':
            strOut += "&lt;";
            break;
        case '>':
            strOut += "&gt;";
            break;
        case '"':
            strOut += "&quot;";
            break;
        default:
            strOut += c;
        }
    }
    return strOut;
}

// An extension schema's description, for checkers that know only the
// schemas they are told of.
std::string Schema(const char* pName, const char* pNamespace, const char* pPrefix,
                   const std::string& strProperties) {
    return std::string("     <rdf:li rdf:parseType=\"Resource\">\n"
                       "      <pdfaSchema:schema>") +
           pName + "</pdfaSchema:schema>\n      <pdfaSchema:namespaceURI>" + pNamespace +
           "</pdfaSchema:namespaceURI>\n      <pdfaSchema:prefix>" + pPrefix +
           "</pdfaSchema:prefix>\n      <pdfaSchema:property><rdf:Seq>\n" + strProperties +
           "      </rdf:Seq></pdfaSchema:property>\n     </rdf:li>\n";
}

std::string Property(const char* pName, const char* pType, const char* pDescription) {
    return std::string("       <rdf:li rdf:parseType=\"Resource\"><pdfaProperty:name>") + pName +
           "</pdfaProperty:name><pdfaProperty:valueType>" + pType +
           "</pdfaProperty:valueType><pdfaProperty:category>internal</"
           "pdfaProperty:category><pdfaProperty:description>" +
           pDescription + "</pdfaProperty:description></rdf:li>\n";
}

} // namespace

bool LoadPdfStandard(const CJobTicket& ticket, const std::string& strDocDefFile, size_t nMaxBytes,
                     CPdfStandard& standard, std::string& strError) {
    std::string strPath =
        ticket.strOutputIntent.empty() ? DefaultOutputProfilePath() : ticket.strOutputIntent;
    if (strPath.empty()) {
        strError = "no CMYK output profile is installed for the output intent (Ghostscript's "
                   "default_cmyk.icc): give one with --output-intent, or --pdf-standard none";
        return false;
    }
    std::string strData;
    if (!ReadWholeFile(strPath, nMaxBytes, strData, strError)) {
        strError = "cannot read the output intent's profile " + strError;
        return false;
    }
    if (!ReadIccProfile(strData, standard.profile, strError)) {
        strError = strPath + ": " + strError + "; not an output intent";
        return false;
    }
    standard.strConditionText = standard.profile.strDescription.empty()
                                    ? SplitPath(strPath).strName
                                    : standard.profile.strDescription;
    standard.strCondition =
        ticket.strOutputCondition.empty() ? "Custom" : ticket.strOutputCondition;
    const char* pEpoch = getenv("SOURCE_DATE_EPOCH");
    char* pEnd = nullptr;
    long long nEpoch = pEpoch != nullptr ? strtoll(pEpoch, &pEnd, 10) : -1;
    standard.tMade = pEpoch != nullptr && *pEpoch != '\0' && *pEnd == '\0' && nEpoch >= 0
                         ? static_cast<time_t>(nEpoch)
                         : time(nullptr);
    standard.strTitle = ToUtf8(DecodeText(SplitPath(strDocDefFile).strName, TextEncoding::Utf8));
    standard.strProducer = std::string("nebmerge ") + NEB_VERSION_TEXT;
    return true;
}

std::string PdfDate(time_t tWhen) {
    return Utc(tWhen, "D:%Y%m%d%H%M%S+00'00'");
}

std::string XmpDate(time_t tWhen) {
    return Utc(tWhen, "%Y-%m-%dT%H:%M:%S+00:00");
}

std::string DocumentUuid(const CPdfStandard& standard, const std::string& strSalt) {
    std::string strIdentity = standard.strTitle + "\n" + std::to_string(standard.tMade) + "\n" +
                              standard.strCondition + "\n" + strSalt;
    uint64_t nHigh = Fnv1a(FnvStart, strIdentity.data(), strIdentity.size());
    uint64_t nLow = Fnv1a(nHigh, "uuid", 4);
    char szUuid[48];
    snprintf(szUuid, sizeof szUuid,
             "uuid:%08" PRIx64 "-%04" PRIx64 "-4%03" PRIx64 "-a%03" PRIx64 "-%012" PRIx64,
             nHigh >> 32, (nHigh >> 16) & 0xFFFF, nHigh & 0xFFF, (nLow >> 48) & 0xFFF,
             nLow & uint64_t(0xFFFFFFFFFFFF));
    return szUuid;
}

std::string InfoEntries(const CPdfStandard& standard) {
    std::string strDate = PdfDate(standard.tMade);
    return "/Title " + PdfText(standard.strTitle) + " /Producer " + PdfText(standard.strProducer) +
           " /Creator " + PdfText(standard.strProducer) + " /CreationDate (" + strDate +
           ") /ModDate (" + strDate + ") /Trapped /False";
}

std::string XmpPacket(const CPdfStandard& standard, const std::string& strDocumentId,
                      const std::string& strInstanceId) {
    std::string strDate = XmpDate(standard.tMade);
    std::string strProducer = Xml(standard.strProducer);
    return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
           " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
           "  <rdf:Description rdf:about=\"\"\n"
           "    xmlns:dc=\"http://purl.org/dc/elements/1.1/\"\n"
           "    xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\"\n"
           "    xmlns:xmpMM=\"http://ns.adobe.com/xap/1.0/mm/\"\n"
           "    xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\"\n"
           "    xmlns:pdfxid=\"http://www.npes.org/pdfx/ns/id/\"\n"
           "    xmlns:pdfvtid=\"http://www.npes.org/pdfvt/ns/id/\">\n"
           "   <dc:format>application/pdf</dc:format>\n"
           "   <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" +
           Xml(standard.strTitle) +
           "</rdf:li></rdf:Alt></dc:title>\n"
           "   <xmp:CreateDate>" +
           strDate + "</xmp:CreateDate>\n   <xmp:ModifyDate>" + strDate +
           "</xmp:ModifyDate>\n   <xmp:MetadataDate>" + strDate +
           "</xmp:MetadataDate>\n   <xmp:CreatorTool>" + strProducer +
           "</xmp:CreatorTool>\n   <xmpMM:DocumentID>" + strDocumentId +
           "</xmpMM:DocumentID>\n   <xmpMM:InstanceID>" + strInstanceId +
           "</xmpMM:InstanceID>\n   <xmpMM:VersionID>1</xmpMM:VersionID>\n"
           "   <xmpMM:RenditionClass>default</xmpMM:RenditionClass>\n   <pdf:Producer>" +
           strProducer +
           "</pdf:Producer>\n   <pdf:Trapped>False</pdf:Trapped>\n"
           "   <pdfxid:GTS_PDFXVersion>PDF/X-4</pdfxid:GTS_PDFXVersion>\n"
           "   <pdfvtid:GTS_PDFVTVersion>PDF/VT-1</pdfvtid:GTS_PDFVTVersion>\n"
           "   <pdfvtid:GTS_PDFVTModDate>" +
           strDate +
           "</pdfvtid:GTS_PDFVTModDate>\n  </rdf:Description>\n"
           "  <rdf:Description rdf:about=\"\"\n"
           "    xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\"\n"
           "    xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\"\n"
           "    xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\">\n"
           "   <pdfaExtension:schemas><rdf:Bag>\n" +
           Schema("PDF/X ID Schema", "http://www.npes.org/pdfx/ns/id/", "pdfxid",
                  Property("GTS_PDFXVersion", "Text", "ID of PDF/X standard")) +
           Schema("PDF/VT ID Schema", "http://www.npes.org/pdfvt/ns/id/", "pdfvtid",
                  Property("GTS_PDFVTVersion", "Text", "ID of PDF/VT standard") +
                      Property("GTS_PDFVTModDate", "Date", "Date of the PDF/VT claim")) +
           "   </rdf:Bag></pdfaExtension:schemas>\n  </rdf:Description>\n"
           " </rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>";
}
