#include "merge/pages/Values.h"

#include <algorithm>

CTextLayout LayOutValue(const CJob& job, const CPlannedMerge& merge, const std::string& strValue,
                        CFontMetrics& metrics) {
    const CAreaDefinition& area = *merge.pArea;
    const CJobTicket& ticket = job.options.ticket;
    std::string strClosed;
    const std::string* pValue = &strValue;
    if (ticket.optional.count(merge.strField) != 0 && strValue.find('\n') != std::string::npos) {
        // An empty line of an optional field is closed up.
        size_t nStart = 0;
        while (nStart <= strValue.size()) {
            size_t nEnd = std::min(strValue.find('\n', nStart), strValue.size());
            std::string strLine = strValue.substr(nStart, nEnd - nStart);
            if (strLine.find_first_not_of(" \t\r") != std::string::npos) {
                strClosed += (strClosed.empty() ? "" : "\n") + strLine;
            }
            nStart = nEnd + 1;
        }
        pValue = &strClosed;
    }
    const CFitSpec* pFit = ticket.Fit(area.strName.Text());
    return pFit != nullptr ? FitText(area, *pValue, metrics, job.options.encoding, pFit->dMinSize)
                           : LayOutText(area, *pValue, metrics, job.options.encoding);
}

bool CodeOfValue(const CJob& job, const CCodeSpec& code, const std::string& strValue,
                 CCodeSymbol& symbol, DataProblem& kind, std::string& strDetail) {
    std::u32string strChars = DecodeText(strValue, job.options.encoding);
    if (std::find(strChars.begin(), strChars.end(), BadByte) != strChars.end()) {
        kind = DataProblem::BadCharacter;
        strDetail =
            std::string("a byte that is no character in ") + EncodingName(job.options.encoding);
        return false;
    }
    kind = DataProblem::InvalidCode;
    return MakeCodeSymbol(code, ToUtf8(strChars), symbol, strDetail);
}
