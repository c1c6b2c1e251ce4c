#include "Job.h"

#include "TextLayout.h"
#include "model/DocDefReader.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

bool ReadFile(const std::string& strFile, std::string& strText) {
    std::ifstream in(strFile, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    strText = text.str();
    return !in.bad();
}

namespace {

std::string Points(double dPoints) {
    char szText[32];
    snprintf(szText, sizeof szText, "%.1f", dPoints);
    return szText;
}

// The problem an EPS file has, if any: missing, or without a bounding box.
bool EpsProblem(const std::string& strPath, DataProblem& kind, std::string& strDetail) {
    std::string strText;
    if (!ReadFile(strPath, strText)) {
        kind = DataProblem::MissingEps;
        strDetail = strPath + " does not exist";
        return true;
    }
    // The bounding box stands in the header, a line of its own.
    size_t nAt = strText.find("%%BoundingBox:");
    double adBox[4];
    if (nAt == std::string::npos || sscanf(strText.c_str() + nAt + 14, "%lf %lf %lf %lf", &adBox[0],
                                           &adBox[1], &adBox[2], &adBox[3]) != 4) {
        kind = DataProblem::EpsWithoutBox;
        strDetail = strPath + " has no %%BoundingBox";
        return true;
    }
    return false;
}

std::string JsonString(const std::string& strText) {
    std::string strOut = "\"";
    for (unsigned char c : strText) {
        if (c == '"' || c == '\\') {
            strOut += '\\';
            strOut += static_cast<char>(c);
        } else if (c < 0x20) {
            char szEscape[8];
            snprintf(szEscape, sizeof szEscape, "\\u%04x", c);
            strOut += szEscape;
        } else {
            strOut += static_cast<char>(c);
        }
    }
    return strOut + "\"";
}

std::map<std::string, int> CountsByKind(const CJob& job) {
    std::map<std::string, int> counts;
    for (const CProblem& problem : job.problems) {
        ++counts[ProblemName(problem.kind)];
    }
    return counts;
}

} // namespace

std::string BesideFile(const std::string& strFile, const std::string& strName) {
    bool bAbsolute = (!strName.empty() && (strName[0] == '/' || strName[0] == '\\')) ||
                     (strName.size() > 1 && strName[1] == ':');
    if (bAbsolute) {
        return strName;
    }
    size_t nSlash = strFile.find_last_of("/\\");
    return nSlash == std::string::npos ? strName : strFile.substr(0, nSlash + 1) + strName;
}

bool LoadJob(const std::string& strDocDefFile, const std::string& strDataFile, CJob& job,
             std::string& strError) {
    job.strDocDefFile = strDocDefFile;
    job.strDataFile = strDataFile;
    std::string strText;
    if (!ReadFile(strDocDefFile, strText)) {
        strError = strDocDefFile + ": cannot read the document definition";
        return false;
    }
    if (!ReadDocDefText(strText, job.docDef, strError)) {
        strError = strDocDefFile + ": " + strError;
        return false;
    }
    std::string strData;
    if (!ReadFile(strDataFile, strData)) {
        strError = strDataFile + ": cannot read the variable data input file";
        return false;
    }
    CutCopies(strData, job.docDef.fields, job.copies, job.problems);
    return true;
}

void CheckCopies(CJob& job, CFontMetrics& metrics) {
    std::vector<CProblem> found;
    for (const CDataCopy& copy : job.copies) {
        // Where this copy's problems begin among those found.
        const size_t nCopyProblems = found.size();
        job.docDef.instructions.Rewind();
        while (const CInstruction* pInstruction = job.docDef.instructions.NextInstruction()) {
            auto* pMerge = dynamic_cast<const CMerge*>(pInstruction);
            const CFieldValue* pValue =
                pMerge != nullptr ? copy.Value(pMerge->strFieldName.Text()) : nullptr;
            if (pValue == nullptr || pValue->strText.empty()) {
                continue;
            }
            const CAreaDefinition& area = *pMerge->pArea;
            if (pMerge->pField->nStorage == StorageReference || area.nKind == KindGraphic) {
                CProblem problem{DataProblem::MissingEps, copy.nNumber, pValue->strField,
                                 pValue->place, ""};
                // A value that goes to several areas is one problem.
                bool bKnown =
                    std::any_of(found.begin() + static_cast<std::ptrdiff_t>(nCopyProblems),
                                found.end(), [&](const CProblem& other) {
                                    return other.strField == pValue->strField &&
                                           (other.kind == DataProblem::MissingEps ||
                                            other.kind == DataProblem::EpsWithoutBox);
                                });
                if (!bKnown && EpsProblem(BesideFile(job.strDataFile, pValue->strText),
                                          problem.kind, problem.strDetail)) {
                    found.push_back(problem);
                }
                continue;
            }
            CTextLayout layout = LayOutText(area, pValue->strText, metrics);
            if (!layout.bMeasured) {
                std::string strWarning = std::string("area ") + area.strName.Text() +
                                         ": no metrics for the font " + area.strFont.Text() +
                                         ", its text is not measured";
                if (std::find(job.warnings.begin(), job.warnings.end(), strWarning) ==
                    job.warnings.end()) {
                    job.warnings.push_back(strWarning);
                }
                continue;
            }
            std::string strDetail;
            if (layout.dOverWidth > 0.05) {
                strDetail = "runs " + Points(layout.dOverWidth) + " pt past the width of area " +
                            area.strName.Text();
            }
            if (layout.dOverHeight > 0.05) {
                strDetail += std::string(strDetail.empty() ? "runs " : ", and ") +
                             Points(layout.dOverHeight) + " pt below the bottom of area " +
                             area.strName.Text();
            }
            if (!strDetail.empty()) {
                found.push_back({DataProblem::TextOverflow, copy.nNumber, pValue->strField,
                                 pValue->place, strDetail});
            }
        }
    }
    job.problems.insert(job.problems.end(), found.begin(), found.end());
    std::stable_sort(job.problems.begin(), job.problems.end(),
                     [](const CProblem& a, const CProblem& b) { return a.nCopy < b.nCopy; });
}

std::string ReportText(const CJob& job) {
    std::string strOut;
    for (const CProblem& problem : job.problems) {
        strOut += job.strDataFile + ":" + std::to_string(problem.place.nLine) + ": copy " +
                  std::to_string(problem.nCopy) + ", field " + problem.strField + ", byte " +
                  std::to_string(problem.place.nOffset) + ": " + ProblemName(problem.kind) + ": " +
                  problem.strDetail + "\n";
    }
    auto Count = [](size_t n, const char* pOne, const char* pMany) {
        return std::to_string(n) + " " + (n == 1 ? pOne : pMany);
    };
    strOut += Count(job.copies.size(), "copy", "copies") + ", " +
              Count(job.problems.size(), "problem", "problems");
    std::string strKinds;
    for (const auto& count : CountsByKind(job)) {
        strKinds +=
            (strKinds.empty() ? "" : ", ") + std::to_string(count.second) + " " + count.first;
    }
    strOut += strKinds.empty() ? "\n" : " (" + strKinds + ")\n";
    return strOut;
}

std::string ReportJson(const CJob& job) {
    std::string strOut = "{\"ddf\": " + JsonString(job.strDocDefFile) +
                         ", \"data\": " + JsonString(job.strDataFile) +
                         ", \"copies\": " + std::to_string(job.copies.size()) + ", \"problems\": [";
    for (size_t i = 0; i < job.problems.size(); ++i) {
        const CProblem& problem = job.problems[i];
        strOut += std::string(i == 0 ? "" : ", ") + "{\"copy\": " + std::to_string(problem.nCopy) +
                  ", \"field\": " + JsonString(problem.strField) +
                  ", \"kind\": " + JsonString(ProblemName(problem.kind)) +
                  ", \"line\": " + std::to_string(problem.place.nLine) +
                  ", \"offset\": " + std::to_string(problem.place.nOffset) +
                  ", \"detail\": " + JsonString(problem.strDetail) + "}";
    }
    strOut += "], \"warnings\": [";
    for (size_t i = 0; i < job.warnings.size(); ++i) {
        strOut += std::string(i == 0 ? "" : ", ") + JsonString(job.warnings[i]);
    }
    strOut += "], \"summary\": {";
    bool bFirst = true;
    for (const auto& count : CountsByKind(job)) {
        strOut += std::string(bFirst ? "" : ", ") + JsonString(count.first) + ": " +
                  std::to_string(count.second);
        bFirst = false;
    }
    return strOut + "}}\n";
}
