#include "merge/check/Check.h"

#include "merge/job/CopyWalk.h"
#include "merge/pages/Values.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

std::string Points(double dPoints) {
    char szText[32];
    snprintf(szText, sizeof szText, "%.1f", dPoints);
    return szText;
}

// The problem of a text value in its area, if any: a character the font
// cannot show, or text that runs out of the area.
bool TextProblem(CJob& job, const CPlannedMerge& merge, const std::string& strValue,
                 CFontMetrics& metrics, DataProblem& kind, std::string& strDetail) {
    const CAreaDefinition& area = *merge.pArea;
    CTextLayout layout = LayOutValue(job, merge, strValue, metrics);
    // Whatever the font, a byte that is no character of the encoding.
    if (layout.missing == BadByte) {
        kind = DataProblem::BadCharacter;
        strDetail =
            std::string("a byte that is no character in ") + EncodingName(job.options.encoding);
        return true;
    }
    if (!layout.bMeasured) {
        if (job.unmeasuredAreas.insert(area.strName.Text()).second) {
            job.warnings.push_back(std::string("area ") + area.strName.Text() +
                                   ": no metrics for the font " + area.strFont.Text() +
                                   ", its text is not measured");
        }
        return false;
    }
    if (layout.missing != 0) {
        std::string strName = GlyphName(layout.missing);
        kind = DataProblem::BadCharacter;
        strDetail = CodePoint(layout.missing) + (strName.empty() ? "" : " (" + strName + ")") +
                    " cannot be shown in the font " + area.strFont.Text() + " of area " +
                    area.strName.Text();
        return true;
    }
    kind = DataProblem::TextOverflow;
    if (layout.dOverWidth > 0.05) {
        strDetail = "runs " + Points(layout.dOverWidth) + " pt past the width of area " +
                    area.strName.Text();
    }
    if (layout.dOverHeight > 0.05) {
        strDetail += std::string(strDetail.empty() ? "runs " : ", and ") +
                     Points(layout.dOverHeight) + " pt below the bottom of area " +
                     area.strName.Text();
    }
    return !strDetail.empty();
}

// Adds the copy's problems in its areas to those its cutting found.
void CheckCopy(CJob& job, const CDataCopy& copy, CFontMetrics& metrics, int nFirst, int nLast,
               std::vector<CProblem>& problems) {
    const size_t nCutProblems = problems.size();
    for (const CPlannedMerge& merge : job.merges) {
        const CFieldValue* pValue = copy.Value(merge.nOrdinal, merge.strField);
        // An area given a computed value does not show its field.
        if (pValue == nullptr || pValue->strText.empty() ||
            job.numberings.count(merge.pArea->strName.Text()) != 0) {
            continue;
        }
        CProblem problem{DataProblem::MissingEps, copy.nNumber, pValue->strField, pValue->place,
                         ""};
        const CAreaDefinition& area = *merge.pArea;
        bool bFound = false;
        const CCodeSpec* pCode = job.options.ticket.Code(area.strName.Text());
        if (pCode != nullptr) {
            CCodeSymbol symbol;
            bFound =
                !CodeOfValue(job, *pCode, pValue->strText, symbol, problem.kind, problem.strDetail);
            problem.strDetail =
                std::string("area ") + area.strName.Text() + ": " + problem.strDetail;
        } else if (merge.pField->nStorage == StorageReference || area.nKind == KindGraphic) {
            CPicture* pPicture =
                job.pictures->Find(pValue->strText, problem.kind, problem.strDetail);
            bFound = pPicture == nullptr;
            if (pPicture != nullptr && copy.nNumber >= nFirst && copy.nNumber <= nLast) {
                ++pPicture->nUses;
            }
        } else {
            bFound =
                TextProblem(job, merge, pValue->strText, metrics, problem.kind, problem.strDetail);
        }
        // A value that goes to several areas has a picture or character
        // problem once.
        bool bKnown =
            problem.kind != DataProblem::TextOverflow &&
            std::any_of(problems.begin() + static_cast<std::ptrdiff_t>(nCutProblems),
                        problems.end(), [&](const CProblem& other) {
                            return other.strField == problem.strField && other.kind == problem.kind;
                        });
        if (bFound && !bKnown) {
            problems.push_back(problem);
        }
    }
}

// Adds the problems of the copy's computed values, each area once, as the
// place gives the run's numbers.
void CheckComputed(CJob& job, const CDataCopy& copy, CRunPlace place, CFontMetrics& metrics,
                   std::vector<CProblem>& problems) {
    std::set<const CAreaDefinition*> checked;
    for (size_t i = 0; i < job.pages.size(); ++i) {
        place.nPage = static_cast<long>(i + 1);
        for (const CPlannedMerge& merge : job.pages[i].merges) {
            if (merge.pNumbering == nullptr || !checked.insert(merge.pArea).second) {
                continue;
            }
            const CAreaDefinition& area = *merge.pArea;
            std::string strValue = Numbered(*merge.pNumbering, place);
            CProblem problem{DataProblem::TextOverflow, copy.nNumber, area.strName.Text(),
                             copy.place, ""};
            const CCodeSpec* pCode = job.options.ticket.Code(area.strName.Text());
            CCodeSymbol symbol;
            bool bFound = false;
            if (pCode != nullptr) {
                bFound =
                    !CodeOfValue(job, *pCode, strValue, symbol, problem.kind, problem.strDetail);
                problem.strDetail = std::string("area ") + area.strName.Text() + ": \"" + strValue +
                                    "\": " + problem.strDetail;
            } else {
                bFound =
                    TextProblem(job, merge, strValue, metrics, problem.kind, problem.strDetail);
            }
            if (bFound) {
                problems.push_back(problem);
            }
        }
    }
}

// Where the copy stands in the run while the check walks the data: the
// number of copies is the copy's own (the count is known at the end), the
// sheet and side the first.
CRunPlace WalkPlace(const CJob& job, const CDataCopy& copy) {
    CRunPlace place;
    place.nCopy = place.nCopies = copy.nNumber;
    place.nPages = static_cast<long>(job.pages.size());
    place.nSheet = place.nSide = job.options.ticket.bImposed ? 1 : 0;
    return place;
}

} // namespace

bool CheckCopies(CJob& job, CFontMetrics& metrics, CReport& report, int nFirst, int nLast,
                 std::string& strError) {
    job.nCopies = 0;
    CDataCopy last;
    auto check = [&](const CDataCopy* pCopy, std::vector<CProblem>& problems) {
        if (pCopy != nullptr) {
            ++job.nCopies;
            CheckCopy(job, *pCopy, metrics, nFirst, nLast, problems);
            if (!job.numberings.empty() && pCopy->nNumber >= nFirst && pCopy->nNumber <= nLast) {
                CheckComputed(job, *pCopy, WalkPlace(job, *pCopy), metrics, problems);
                last.nNumber = pCopy->nNumber;
                last.place = pCopy->place;
            }
        }
        for (const CProblem& problem : problems) {
            if (problem.kind != DataProblem::EmptyValue ||
                job.options.ticket.optional.count(problem.strField) == 0) {
                report.Problem(problem);
            }
        }
        return true;
    };
    if (!ForEachCopy(job, check, strError)) {
        return false;
    }
    // The last copy's values again with the count, and on sheets the last
    // sheet and side: the widest numbers the run sets. A problem only they
    // show is reported once, for that copy.
    CSheetPlan sheets;
    if (last.nNumber == 0 ||
        (job.options.ticket.bImposed &&
         !PlanJobSheets(job,
                        static_cast<size_t>(std::min<long>(nLast, static_cast<long>(job.nCopies)) -
                                            nFirst + 1),
                        sheets, strError))) {
        return last.nNumber == 0;
    }
    CRunPlace place = WalkPlace(job, last);
    place.nCopies = static_cast<long>(job.nCopies);
    place.nSheet = job.options.ticket.bImposed ? static_cast<long>(sheets.nSheets) : 0;
    place.nSide = job.options.ticket.bImposed ? sheets.nSides : 0;
    std::vector<CProblem> walked;
    std::vector<CProblem> problems;
    CheckComputed(job, last, WalkPlace(job, last), metrics, walked);
    CheckComputed(job, last, place, metrics, problems);
    for (const CProblem& problem : problems) {
        if (std::none_of(walked.begin(), walked.end(), [&](const CProblem& other) {
                return other.strField == problem.strField && other.kind == problem.kind;
            })) {
            report.Problem(problem);
        }
    }
    return true;
}
