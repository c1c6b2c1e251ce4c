#include "merge/pdf/PdfFile.h"

#include "merge/data/TextEncoding.h"
#include "merge/job/Pictures.h"
#include "merge/output/Syntax.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include <zlib.h>

CPdfFile::CPdfFile(COutputFile& out, const char* pVersion) : m_out(out), m_offsets(1, 0) {
    // A comment of bytes above 127 tells transfer programs the file is binary.
    m_out.Write(std::string("%PDF-") + pVersion + "\n%\xE2\xE3\xCF\xD3\n");
}

int CPdfFile::NewObject() {
    m_offsets.push_back(0);
    return static_cast<int>(m_offsets.size() - 1);
}

bool CPdfFile::Start(int nObject) {
    if (nObject <= 0 || static_cast<size_t>(nObject) >= m_offsets.size() ||
        m_offsets[static_cast<size_t>(nObject)] != 0) {
        return false;
    }
    m_offsets[static_cast<size_t>(nObject)] = m_out.Written();
    return m_out.Write(std::to_string(nObject) + " 0 obj\n");
}

bool CPdfFile::Object(int nObject, const std::string& strBody) {
    return Start(nObject) && m_out.Write(strBody) && m_out.Write("\nendobj\n");
}

bool CPdfFile::Stream(int nObject, const std::string& strEntries, const std::string& strData) {
    return Start(nObject) &&
           m_out.Write("<<" + strEntries + " /Length " + std::to_string(strData.size()) +
                       " >>\nstream\n") &&
           m_out.Write(strData) && m_out.Write("\nendstream\nendobj\n");
}

bool CPdfFile::Finish(int nCatalog, int nInfo, std::string& strError) {
    uint64_t nXref = m_out.Written();
    std::string strTable =
        "xref\n0 " + std::to_string(m_offsets.size()) + "\n0000000000 65535 f \n";
    uint64_t nHash = FnvStart;
    for (size_t i = 1; i < m_offsets.size(); ++i) {
        if (m_offsets[i] == 0) {
            strError = m_out.Path() + ": object " + std::to_string(i) + " was never written";
            return false;
        }
        char szEntry[48];
        snprintf(szEntry, sizeof szEntry, "%010" PRIu64 " 00000 n \n", m_offsets[i]);
        strTable += szEntry;
        nHash = Fnv1a(nHash, szEntry, 10);
        if (strTable.size() >= (1 << 16)) {
            m_out.Write(strTable); // a failure stays, and the last write reports it
            strTable.clear();
        }
    }
    // The file's identifier, from where its objects lie: the same run gives
    // the same file.
    char szId[40];
    snprintf(szId, sizeof szId, "%016" PRIx64 "%016" PRIx64, nHash, Fnv1a(nHash, "id", 2));
    strTable += "trailer\n<< /Size " + std::to_string(m_offsets.size()) + " /Root " +
                Ref(nCatalog) + " /Info " + Ref(nInfo) + " /ID [<" + szId + "> <" + szId +
                ">] >>\nstartxref\n" + std::to_string(nXref) + "\n%%EOF\n";
    if (!m_out.Write(strTable)) {
        strError = m_out.Path() + ": cannot be written";
        return false;
    }
    return true;
}

std::string Ref(int nObject) {
    return std::to_string(nObject) + " 0 R";
}

std::string Refs(const std::vector<int>& objects) {
    std::string strOut;
    for (int nObject : objects) {
        strOut += " " + Ref(nObject);
    }
    return strOut;
}

std::string Utf16Hex(char32_t c) {
    char szHex[16];
    if (c > 0xFFFF) {
        c -= 0x10000;
        snprintf(szHex, sizeof szHex, "%04X%04X", 0xD800 + static_cast<unsigned>(c >> 10),
                 0xDC00 + static_cast<unsigned>(c & 0x3FF));
    } else {
        snprintf(szHex, sizeof szHex, "%04X", static_cast<unsigned>(c));
    }
    return szHex;
}

std::string PdfText(const std::string& strUtf8) {
    if (std::all_of(strUtf8.begin(), strUtf8.end(), [](char c) { return (c & 0x80) == 0; })) {
        return Literal(strUtf8);
    }
    std::string strOut = "<FEFF";
    for (char32_t c : DecodeText(strUtf8, TextEncoding::Utf8)) {
        strOut += Utf16Hex(c == BadByte ? 0xFFFD : c);
    }
    return strOut + ">";
}

std::string PdfName(const std::string& strName) {
    std::string strOut = "/";
    for (unsigned char c : strName) {
        if (c < 0x21 || c > 0x7E || strchr("#()<>[]{}/%", c) != nullptr) {
            char szHex[4];
            snprintf(szHex, sizeof szHex, "#%02X", c);
            strOut += szHex;
        } else {
            strOut += static_cast<char>(c);
        }
    }
    return strOut;
}

std::string Compressed(const std::string& strData) {
    uLongf nSize = compressBound(static_cast<uLong>(strData.size()));
    std::string strOut(nSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(&strOut[0]), &nSize,
                  reinterpret_cast<const Bytef*>(strData.data()),
                  static_cast<uLong>(strData.size()), Z_BEST_COMPRESSION) != Z_OK) {
        return "";
    }
    strOut.resize(nSize);
    return strOut;
}
