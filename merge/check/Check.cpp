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

// Adds the problems of copy nCopy's computed values, each area once, as
// the run's numbers stand on its pages (place.nPage and, on sheets, nSide
// set for each page).
void CheckComputed(CJob& job, long nCopy, const CDataPlace& dataPlace, CRunPlace place,
                   CFontMetrics& metrics, std::vector<CProblem>& problems) {
    std::set<const CAreaDefinition*> checked;
    for (size_t i = 0; i < job.pages.size(); ++i) {
        place.nPage = static_cast<long>(i + 1);
        place.nSide = place.nSheet != 0 ? place.nPage : 0;
        for (const CPlannedMerge& merge : job.pages[i].merges) {
            if (merge.pNumbering == nullptr || !checked.insert(merge.pArea).second) {
                continue;
            }
            const CAreaDefinition& area = *merge.pArea;
            std::string strValue = Numbered(*merge.pNumbering, place);
            CProblem problem{DataProblem::TextOverflow, static_cast<int>(nCopy),
                             area.strName.Text(), dataPlace, ""};
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

// The computed values of the copies merged, once their count is known:
// each copy's as its pages show them (on sheets, its sheet and the side of
// each page), reported at the copy's place in the data.
bool CheckComputedValues(CJob& job, CFontMetrics& metrics, CReport& report, int nFirst,
                         const std::vector<CDataPlace>& places, std::string& strError) {
    bool bSheets = false;
    for (const auto& numbering : job.numberings) {
        bSheets = bSheets || numbering.second.UsesSheets();
    }
    // The sheet of each copy merged, from the plan of the run's sheets.
    std::vector<long> sheetOf;
    CSheetPlan sheets;
    if (bSheets) {
        if (!PlanJobSheets(job, places.size(), sheets, strError)) {
            return false;
        }
        sheetOf.assign(places.size(), 0);
        for (size_t nSheet = 0; nSheet < sheets.nSheets; ++nSheet) {
            for (int nSlot = 0; nSlot < sheets.Slots(); ++nSlot) {
                long nCopy = sheets.CopyAt(nSheet, nSlot);
                if (nCopy >= 0) {
                    sheetOf[static_cast<size_t>(nCopy)] = static_cast<long>(nSheet + 1);
                }
            }
        }
    }
    std::vector<CProblem> problems;
    for (size_t i = 0; i < places.size(); ++i) {
        CRunPlace place;
        place.nCopy = nFirst + static_cast<long>(i);
        place.nCopies = static_cast<long>(job.nCopies);
        place.nPages = static_cast<long>(job.pages.size());
        place.nSheet = bSheets ? sheetOf[i] : 0;
        problems.clear();
        CheckComputed(job, place.nCopy, places[i], place, metrics, problems);
        for (const CProblem& problem : problems) {
            report.Problem(problem);
        }
    }
    return true;
}

} // namespace

bool CheckCopies(CJob& job, CFontMetrics& metrics, CReport& report, int nFirst, int nLast,
                 std::string& strError) {
    job.nCopies = 0;
    // The places of the copies merged, when the job computes values: they
    // are checked once the count of copies is known.
    std::vector<CDataPlace> places;
    auto check = [&](const CDataCopy* pCopy, std::vector<CProblem>& problems) {
        if (pCopy != nullptr) {
            ++job.nCopies;
            CheckCopy(job, *pCopy, metrics, nFirst, nLast, problems);
            if (!job.numberings.empty() && pCopy->nNumber >= nFirst && pCopy->nNumber <= nLast) {
                places.push_back(pCopy->place);
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
    return ForEachCopy(job, check, strError) &&
           (places.empty() || CheckComputedValues(job, metrics, report, nFirst, places, strError));
}
