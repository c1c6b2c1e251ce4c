// Makes what each page of the output shows from the copies the data file
// gives: a copy's pages, or a press sheet's sides with a card in each slot.
// Every value is laid out here, once, whatever writers serialise it.
#pragma once

#include "merge/data/DataCopies.h"
#include "merge/job/Imposition.h"
#include "merge/job/Job.h"
#include "merge/layout/FontMetrics.h"
#include "merge/layout/Numbering.h"
#include "merge/pages/PageContent.h"

#include <string>
#include <vector>

class CPageBuilder {
  public:
    // Given press sheets the units are sheets, else copies.
    CPageBuilder(CJob& job, CFontMetrics& metrics, const CSheetPlan* pSheets)
        : m_job(job), m_metrics(metrics), m_pSheets(pSheets) {}

    // The copy's pages, one for each page the job takes. False with a
    // message naming the copy and field of a code or picture that cannot be
    // drawn.
    bool Copy(const CDataCopy& copy, CShownUnit& unit, std::string& strError);
    // The sheet's sides: each slot's copy (null for an empty slot) shows the
    // page of the side on its card; then the crop marks.
    bool Sheet(size_t nSheet, const std::vector<const CDataCopy*>& slots, CShownUnit& unit,
               std::string& strError);

  private:
    bool Card(const CDataCopy& copy, const CPlannedPage& page, const CRunPlace& place,
              CShownCard& card, std::string& strError);
    // Where page nPage (from 0) of the copy stands in the run.
    CRunPlace Place(const CDataCopy& copy, size_t nPage) const;
    // The copy's number and the values of the fields naming its recipient.
    CRecipient Recipient(const CDataCopy& copy) const;
    // The page's finishing code of the text, when the ticket asks for one.
    bool Finishing(const std::string& strText, CShownPage& page, std::string& strError);
    bool Value(const CDataCopy& copy, const CPlannedMerge& merge, const CFieldValue& value,
               double dShift, double dPaperHeight, CShownValue& shown, std::string& strDetail);
    void Text(const CPlannedMerge& merge, const std::string& strValue, double dShift,
              double dPaperHeight, CShownValue& shown);

    CJob& m_job;
    CFontMetrics& m_metrics;
    const CSheetPlan* m_pSheets;
    CAreaDefinition m_finishingArea; // where the finishing code goes, in black
};
