#include "Publication.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

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
} // namespace

bool LoadPublication(const std::string& strFile, CPublication& publication, std::string& strError) {
    std::ifstream in(strFile, std::ios::binary);
    if (!in) {
        strError = strFile + ": cannot open the publication file";
        return false;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string strText = buffer.str();
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(strText);
    } catch (const nlohmann::json::parse_error& error) {
        size_t nAt = error.byte > 0 ? error.byte - 1 : 0;
        strError = strFile + ": " + PlaceOf(strText, nAt) + ": not a valid publication file";
        return false;
    }
    if (!document.is_object()) {
        strError = strFile + ": the publication must be a JSON object";
        return false;
    }
    CPublication loaded;
    auto path = document.find("path");
    if (path == document.end() || !path->is_string()) {
        strError = strFile + ": \"path\" must be the publication's full path, as a string";
        return false;
    }
    loaded.strPath = path->get<std::string>();
    publication = loaded;
    return true;
}

bool SavePublication(const std::string& strFile, const CPublication& publication,
                     std::string& strError) {
    nlohmann::json document;
    document["path"] = publication.strPath;
    std::ofstream out(strFile, std::ios::binary | std::ios::trunc);
    out << document.dump(2) << "\n";
    if (!out) {
        strError = strFile + ": cannot write the publication file";
        return false;
    }
    return true;
}
