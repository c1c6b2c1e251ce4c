#include "merge/pages/PageBuilder.h"

#include "merge/data/TextEncoding.h"
#include "merge/job/CopyWalk.h"
#include "merge/job/Finishing.h"
#include "merge/pages/Values.h"

namespace {

bool IsEmpty(const CFieldValue* pValue) {
    return pValue == nullptr || pValue->strText.find_first_not_of(" \t\r\n") == std::string::npos;
}

// How far each value of the page moves up (points, by merge) because an
// optional field above it in its block of line areas is empty; empty when
// nothing on the page moves.
std::vector<double> LineShifts(const CPlannedPage& page, const CJob& job, const CDataCopy& copy) {
    std::vector<double> shifts;
    if (!page.bClosesUp) {
        return shifts;
    }
    // Up the block from each value: every empty optional field above it
    // closes up the distance to the area below that field.
    shifts.assign(page.merges.size(), 0);
    for (size_t i = 0; i < page.merges.size(); ++i) {
        for (const CPlannedMerge* pBelow = &page.merges[i]; pBelow->nAbove >= 0;
             pBelow = &page.merges[static_cast<size_t>(pBelow->nAbove)]) {
            const CPlannedMerge& above = page.merges[static_cast<size_t>(pBelow->nAbove)];
            if (job.options.ticket.optional.count(above.strField) != 0 &&
                IsEmpty(copy.Value(above.nOrdinal, above.strField))) {
                shifts[i] += pBelow->dPitch;
            }
        }
    }
    return shifts;
}

} // namespace

bool CPageBuilder::Copy(const CDataCopy& copy, CShownUnit& unit, std::string& strError) {
    unit.bSheet = false;
    unit.nNumber = copy.nNumber;
    unit.slotCopies.clear();
    unit.recipients.assign(1, Recipient(copy));
    unit.pages.resize(m_job.pages.size());
    for (size_t i = 0; i < m_job.pages.size(); ++i) {
        const CPlannedPage& page = m_job.pages[i];
        CShownPage& shown = unit.pages[i];
        shown.strName = std::to_string(copy.nNumber) + "." + std::to_string(page.nMasterPage);
        shown.dWidth = page.dWidth;
        shown.dHeight = page.dHeight;
        shown.bSheet = false;
        shown.cards.resize(1);
        shown.marks.clear();
        CRunPlace place = Place(copy, i);
        if (!Card(copy, page, place, shown.cards[0], strError) ||
            !Finishing(CardFinishingText(place), shown, strError)) {
            return false;
        }
    }
    return true;
}

bool CPageBuilder::Sheet(size_t nSheet, const std::vector<const CDataCopy*>& slots,
                         CShownUnit& unit, std::string& strError) {
    const CSheetPlan& plan = *m_pSheets;
    unit.bSheet = true;
    unit.nNumber = static_cast<long>(nSheet + 1);
    unit.slotCopies.clear();
    unit.recipients.clear();
    for (const CDataCopy* pCopy : slots) {
        unit.slotCopies.push_back(pCopy != nullptr ? pCopy->nNumber : 0);
        if (pCopy != nullptr) {
            unit.recipients.push_back(Recipient(*pCopy));
        }
    }
    unit.pages.resize(static_cast<size_t>(plan.nSides));
    for (int nSide = 0; nSide < plan.nSides; ++nSide) {
        CShownPage& shown = unit.pages[static_cast<size_t>(nSide)];
        shown.strName = "S" + std::to_string(nSheet + 1) + "." + std::to_string(nSide + 1);
        shown.dWidth = plan.dWidth;
        shown.dHeight = plan.dHeight;
        shown.bSheet = true;
        shown.cards.clear();
        auto draw = [&](const CDataCopy& copy, const CPlannedPage& page, const CCardPlace& place) {
            shown.cards.emplace_back();
            shown.cards.back().place = place;
            CRunPlace run = Place(copy, static_cast<size_t>(&page - m_job.pages.data()));
            run.nSheet = unit.nNumber;
            run.nSide = nSide + 1;
            return Card(copy, page, run, shown.cards.back(), strError);
        };
        if (!ForEachCard(m_job, plan, slots, nSide, draw)) {
            return false;
        }
        shown.marks = plan.Marks(nSide);
        if (!Finishing(SheetFinishingText(unit.nNumber, nSide + 1, plan.nSides, unit.slotCopies),
                       shown, strError)) {
            return false;
        }
    }
    return true;
}

CRunPlace CPageBuilder::Place(const CDataCopy& copy, size_t nPage) const {
    CRunPlace place;
    place.nCopy = copy.nNumber;
    place.nCopies = static_cast<long>(m_job.nCopies);
    place.nPage = static_cast<long>(nPage + 1);
    place.nPages = static_cast<long>(m_job.pages.size());
    return place;
}

CRecipient CPageBuilder::Recipient(const CDataCopy& copy) const {
    CRecipient recipient;
    recipient.nCopy = copy.nNumber;
    for (const auto& field : m_job.recipientFields) {
        const CFieldValue* pValue = copy.Value(field.second, field.first);
        recipient.fields.emplace_back(
            field.first,
            pValue != nullptr ? ToUtf8(DecodeText(pValue->strText, m_job.options.encoding)) : "");
    }
    return recipient;
}

// The page's finishing code, when the ticket asks for one, in black at its
// place; false when the text cannot be a code.
bool CPageBuilder::Finishing(const std::string& strText, CShownPage& page, std::string& strError) {
    page.finishing.bars.clear();
    if (!m_job.options.ticket.bFinishingCode) {
        return true;
    }
    CRectangle square{};
    CCodeSymbol symbol;
    CCodeSpec code;
    code.kind = CodeKind::DataMatrix;
    code.bSquare = true;
    std::string strDetail;
    if (!FinishingSquare(m_job.options.ticket, page.dWidth, page.dHeight,
                         page.bSheet ? m_pSheets : nullptr, square, strError)) {
        return false;
    }
    if (!MakeCodeSymbol(code, strText, symbol, strDetail)) {
        strError = "the finishing code \"" + strText + "\": " + strDetail;
        return false;
    }
    m_finishingArea.fLeft = static_cast<float>(square.dX);
    m_finishingArea.fTop = static_cast<float>(page.dHeight - square.dY - square.dHeight);
    m_finishingArea.fWidth = m_finishingArea.fHeight = static_cast<float>(square.dWidth);
    page.finishing.kind = ShownKind::Code;
    page.finishing.pArea = &m_finishingArea;
    page.finishing.bars = PlaceCode(symbol, m_finishingArea, page.dHeight);
    return true;
}

// One page of the copy as it is drawn on its own: the master page, then the
// values, each as its area says (a text's area moved up when an optional
// line above it is closed up).
bool CPageBuilder::Card(const CDataCopy& copy, const CPlannedPage& page, const CRunPlace& place,
                        CShownCard& card, std::string& strError) {
    card.nMasterPage = page.nMasterPage;
    card.values.clear();
    std::vector<double> shifts = LineShifts(page, m_job, copy);
    for (size_t i = 0; i < page.merges.size(); ++i) {
        const CPlannedMerge& merge = page.merges[i];
        CFieldValue computed;
        const CFieldValue* pValue = &computed;
        if (merge.pNumbering != nullptr) {
            computed.strField = merge.strField;
            computed.strText = Numbered(*merge.pNumbering, place);
        } else {
            pValue = copy.Value(merge.nOrdinal, merge.strField);
        }
        if (pValue == nullptr || pValue->strText.empty()) {
            continue;
        }
        card.values.emplace_back();
        std::string strDetail;
        if (!Value(copy, merge, *pValue, shifts.empty() ? 0 : shifts[i], page.dHeight,
                   card.values.back(), strDetail)) {
            strError = "copy " + std::to_string(copy.nNumber) + ", field " + pValue->strField +
                       ": " + strDetail;
            return false;
        }
    }
    return true;
}

// The value as its area shows it: a code, a picture or text; false with
// why a code or picture cannot be drawn.
bool CPageBuilder::Value(const CDataCopy& copy, const CPlannedMerge& merge,
                         const CFieldValue& value, double dShift, double dPaperHeight,
                         CShownValue& shown, std::string& strDetail) {
    const CAreaDefinition& area = *merge.pArea;
    shown.pArea = &area;
    const CCodeSpec* pCode = m_job.options.ticket.Code(area.strName.Text());
    if (pCode != nullptr) {
        CCodeSymbol symbol;
        DataProblem kind;
        shown.kind = ShownKind::Code;
        if (!CodeOfValue(m_job, *pCode, value.strText, symbol, kind, strDetail)) {
            return false;
        }
        shown.bars = PlaceCode(symbol, area, dPaperHeight);
    } else if (!SetsText(merge, m_job.options.ticket)) {
        DataProblem kind;
        shown.kind = ShownKind::Picture;
        shown.pPicture = m_job.pictures->Find(value.strText, kind, strDetail);
        if (shown.pPicture == nullptr) {
            return false;
        }
        shown.placement = PlaceInArea(area, shown.pPicture->adBox, dPaperHeight);
        shown.strSource = "copy " + std::to_string(copy.nNumber) + ", field " + value.strField;
    } else {
        Text(merge, value.strText, dShift, dPaperHeight, shown);
    }
    return true;
}

// The text laid out in its area, its lines placed on the page.
void CPageBuilder::Text(const CPlannedMerge& merge, const std::string& strValue, double dShift,
                        double dPaperHeight, CShownValue& shown) {
    const CAreaDefinition& area = *merge.pArea;
    const float fTop = dShift == 0 ? area.fTop : static_cast<float>(area.fTop - dShift);
    CTextLayout layout = LayOutValue(m_job, merge, strValue, m_metrics);
    shown.kind = ShownKind::Text;
    shown.dSize = layout.dSize;
    for (CSetLine& line : layout.lines) {
        if (!line.strText.empty()) {
            shown.lines.push_back({area.fLeft + line.dX, dPaperHeight - (fTop + line.dBaseline),
                                   line.dWordSpace, std::move(line.strText)});
        }
    }
}
