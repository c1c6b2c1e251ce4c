#include "merge/pdf/PdfImport.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <algorithm>
#include <deque>
#include <map>
#include <vector>

struct CPdfImport::CImpl {
    QPDF source;
    std::vector<QPDFPageObjectHelper> pages;
    std::map<QPDFObjGen, int> numbers; // the source's objects already given a number
    std::deque<std::pair<QPDFObjectHandle, int>> pending;

    int Number(CPdfFile& pdf, QPDFObjectHandle object);
    std::string Body(CPdfFile& pdf, QPDFObjectHandle object, bool bTop);
};

// The merged file's number of a source object, given (and the object queued
// to be copied) when first met. A page or a page tree is not copied: a form
// draws, it does not lead to the source's pages.
int CPdfImport::CImpl::Number(CPdfFile& pdf, QPDFObjectHandle object) {
    QPDFObjGen id = object.getObjGen();
    auto found = numbers.find(id);
    if (found != numbers.end()) {
        return found->second;
    }
    if (object.isDictionary() && (object.isPageObject() || object.isPagesObject())) {
        return numbers[id] = 0;
    }
    int nObject = pdf.NewObject();
    numbers[id] = nObject;
    pending.emplace_back(object, nObject);
    return nObject;
}

// The object as the merged file writes it, its references renumbered.
std::string CPdfImport::CImpl::Body(CPdfFile& pdf, QPDFObjectHandle object, bool bTop) {
    if (!bTop && object.isIndirect()) {
        int nObject = Number(pdf, object);
        return nObject == 0 ? "null" : Ref(nObject);
    }
    if (object.isArray()) {
        std::string strOut = "[";
        for (QPDFObjectHandle& item : object.getArrayAsVector()) {
            strOut += (strOut.size() > 1 ? " " : "") + Body(pdf, item, false);
        }
        return strOut + "]";
    }
    if (object.isDictionary()) {
        std::string strOut = "<<";
        for (const std::string& strKey : object.getKeys()) {
            strOut += " " + QPDFObjectHandle::newName(strKey).unparse() + " " +
                      Body(pdf, object.getKey(strKey), false);
        }
        return strOut + " >>";
    }
    return object.unparse();
}

namespace {

// The graphics state a page starts with, set again: colours black, lines
// one point wide and solid, with square caps and mitred joins, no text
// spacing, and (by the parameters only a graphics state dictionary sets)
// normal blending, opaque, no soft mask, no overprint.
const char* const InitialState = "0 g 0 G 1 w 0 J 0 j 10 M [] 0 d /RelativeColorimetric ri 1 i "
                                 "0 Tc 0 Tw 100 Tz 0 TL 0 Tr 0 Ts /NebInitial gs\n";
const char* const InitialStateEntries =
    "<< /Type /ExtGState /BM /Normal /CA 1 /ca 1 /SMask /None /OP false /op false /OPM 0 /SA "
    "false /AIS false /TK true >>";

// The form encapsulated: its resources given the initial state, its
// content packed again after the state is set.
bool Encapsulate(QPDFObjectHandle& form, std::string& strData) {
    QPDFObjectHandle dictionary = form.getDict();
    QPDFObjectHandle resources = dictionary.getKey("/Resources");
    resources =
        resources.isDictionary() ? resources.shallowCopy() : QPDFObjectHandle::newDictionary();
    QPDFObjectHandle states = resources.getKey("/ExtGState");
    states = states.isDictionary() ? states.shallowCopy() : QPDFObjectHandle::newDictionary();
    states.replaceKey("/NebInitial", QPDFObjectHandle::parse(InitialStateEntries));
    resources.replaceKey("/ExtGState", states);
    dictionary.replaceKey("/Resources", resources);
    std::shared_ptr<Buffer> data = form.getStreamData(qpdf_dl_generalized);
    strData =
        Compressed(InitialState +
                   std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize()));
    return !strData.empty();
}

} // namespace

CPdfImport::CPdfImport() : m_pImpl(std::make_unique<CImpl>()) {}
CPdfImport::~CPdfImport() = default;

bool CPdfImport::Open(const std::string& strPath, std::string& strError) {
    try {
        m_pImpl->source.setSuppressWarnings(true);
        m_pImpl->source.processFile(strPath.c_str());
        m_pImpl->pages = QPDFPageDocumentHelper(m_pImpl->source).getAllPages();
        return true;
    } catch (const std::exception& error) {
        strError = strPath + ": the PDF of the master and pictures cannot be read: " + error.what();
        return false;
    }
}

size_t CPdfImport::Pages() const {
    return m_pImpl->pages.size();
}

int CPdfImport::ImportPage(size_t nPage, CPdfFile& pdf, std::string& strError, bool bWholeMedia,
                           const std::string& strHints) {
    try {
        QPDFPageObjectHelper& page = m_pImpl->pages.at(nPage);
        QPDFObjectHandle form = page.getFormXObjectForPage();
        if (bWholeMedia) {
            form.getDict().replaceKey("/BBox", page.getMediaBox());
        }
        std::string strEncapsulated;
        if (!strHints.empty() && !Encapsulate(form, strEncapsulated)) {
            strError = "page " + std::to_string(nPage + 1) +
                       " of the PDF of the master and pictures cannot be packed";
            return 0;
        }
        int nForm = m_pImpl->Number(pdf, form);
        while (!m_pImpl->pending.empty()) {
            auto [object, nObject] = m_pImpl->pending.front();
            m_pImpl->pending.pop_front();
            bool bWritten = false;
            if (object.isStream()) {
                // The encapsulated form is packed anew; any other stream is
                // copied as it is stored.
                bool bNew = nObject == nForm && !strEncapsulated.empty();
                QPDFObjectHandle dictionary = object.getDict();
                std::string strEntries = bNew ? " /Filter /FlateDecode" + strHints : "";
                for (const std::string& strKey : dictionary.getKeys()) {
                    if (strKey != "/Length" &&
                        !(bNew && (strKey == "/Filter" || strKey == "/DecodeParms"))) {
                        strEntries += " " + QPDFObjectHandle::newName(strKey).unparse() + " " +
                                      m_pImpl->Body(pdf, dictionary.getKey(strKey), false);
                    }
                }
                std::string strData = strEncapsulated;
                if (!bNew) {
                    std::shared_ptr<Buffer> data = object.getRawStreamData();
                    strData.assign(reinterpret_cast<const char*>(data->getBuffer()),
                                   data->getSize());
                }
                bWritten = pdf.Stream(nObject, strEntries, strData);
            } else {
                bWritten = pdf.Object(nObject, m_pImpl->Body(pdf, object, true));
            }
            if (!bWritten) {
                strError = "the merged PDF cannot be written";
                return 0;
            }
        }
        return nForm;
    } catch (const std::exception& error) {
        strError = "page " + std::to_string(nPage + 1) +
                   " of the PDF of the master and pictures cannot be read: " + error.what();
        return 0;
    }
}

std::string CPdfImport::OtherBoxes(size_t nPage) const {
    std::string strOut;
    QPDFObjectHandle page = m_pImpl->pages.at(nPage).getObjectHandle();
    for (const char* pBox : {"/CropBox", "/BleedBox", "/TrimBox", "/ArtBox"}) {
        QPDFObjectHandle box = page.getKey(pBox);
        if (box.isRectangle()) {
            strOut += std::string(" ") + pBox + " " + box.unparseResolved();
        }
    }
    return strOut;
}

bool CPdfImport::PageBox(size_t nPage, const char* pBox, std::array<double, 4>& box) const {
    QPDFObjectHandle rectangle = m_pImpl->pages.at(nPage).getObjectHandle().getKey(pBox);
    if (!rectangle.isRectangle()) {
        return false;
    }
    QPDFObjectHandle::Rectangle corners = rectangle.getArrayAsRectangle();
    box = {std::min(corners.llx, corners.urx), std::min(corners.lly, corners.ury),
           std::max(corners.llx, corners.urx), std::max(corners.lly, corners.ury)};
    return true;
}
