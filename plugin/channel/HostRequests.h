// One small operation per host request. Each fills the block for its request
// alone, calls the host, and returns StatusOk or StatusFailed with its results
// in out-parameters.
#pragma once

#include "HostParamBlock.h"
#include "core/HostRecords.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Request {

// Value a query reports when the host cannot determine it.
constexpr int16_t Undeterminable = -2;

[[nodiscard]] uint16_t CmdSetViewSetting(HostParamBlock* pBlock, int16_t nPrevious, int16_t nValue);
[[nodiscard]] uint16_t CmdPrintToFile(HostParamBlock* pBlock, const std::string& strPath,
                                      const std::string& strPrinter);
[[nodiscard]] uint16_t CmdPaste(HostParamBlock* pBlock);
[[nodiscard]] uint16_t CmdClearSelection(HostParamBlock* pBlock);
// Page number, or NextPage for the page after the current one.
constexpr int32_t NextPage = -5;
[[nodiscard]] uint16_t CmdGoToPage(HostParamBlock* pBlock, int32_t nPage);
[[nodiscard]] uint16_t CmdTextRequest701(HostParamBlock* pBlock);
[[nodiscard]] uint16_t CmdTextRequest702(HostParamBlock* pBlock);
[[nodiscard]] uint16_t CmdSelectObject(HostParamBlock* pBlock, int32_t nObjectNumber);
[[nodiscard]] uint16_t CmdMoveSelection(HostParamBlock* pBlock, int32_t nLeft, int32_t nTop);
[[nodiscard]] uint16_t CmdPrintRequest923(HostParamBlock* pBlock);
[[nodiscard]] uint16_t CmdSetPrintOptions(HostParamBlock* pBlock, const CPrintOptions& options);
[[nodiscard]] uint16_t CmdSetPrintOptions2(HostParamBlock* pBlock, const int16_t (&anValues)[10]);
[[nodiscard]] uint16_t CmdSetPaper(HostParamBlock* pBlock, const CPaperRecord& paper);
[[nodiscard]] uint16_t CmdDeletePrivateString(HostParamBlock* pBlock, int32_t nIndex);
[[nodiscard]] uint16_t CmdRequest1556(HostParamBlock* pBlock);
[[nodiscard]] uint16_t CmdRequest1557(HostParamBlock* pBlock);
// A "privatestring" script line; a line that does not fit the request buffer
// with its NUL is refused without being sent.
[[nodiscard]] uint16_t CmdPrivateString(HostParamBlock* pBlock, const std::string& strLine);

[[nodiscard]] uint16_t QueryTextAlignment(HostParamBlock* pBlock, int16_t& nAlignment);
[[nodiscard]] uint16_t QueryTextColorName(HostParamBlock* pBlock, std::string& strName);
// Longest colour name that can be sent with QueryColorCmyk.
constexpr size_t MaxColorName = 127;
[[nodiscard]] uint16_t QueryColorCmyk(HostParamBlock* pBlock, const std::string& strName,
                                      int16_t& nCyan, int16_t& nMagenta, int16_t& nYellow,
                                      int16_t& nBlack);
[[nodiscard]] uint16_t QueryFontName(HostParamBlock* pBlock, std::string& strName);
[[nodiscard]] uint16_t QueryLeading(HostParamBlock* pBlock, int16_t& nLeading);
[[nodiscard]] uint16_t QueryPageObjects(HostParamBlock* pBlock, std::vector<CPageObject>& objects);
[[nodiscard]] uint16_t QueryCurrentPage(HostParamBlock* pBlock, int16_t& nPage);
[[nodiscard]] uint16_t QueryViewSetting(HostParamBlock* pBlock, int16_t& nSetting);
[[nodiscard]] uint16_t QueryPageOrigin(HostParamBlock* pBlock, int32_t& nLeft, int32_t& nTop,
                                       int32_t& nRight);
[[nodiscard]] uint16_t QueryPageCount(HostParamBlock* pBlock, int16_t& nCount);
[[nodiscard]] uint16_t QueryPageSize(HostParamBlock* pBlock, int32_t& nWidth, int32_t& nHeight);
[[nodiscard]] uint16_t QueryPublicationPath(HostParamBlock* pBlock, std::string& strPath);
[[nodiscard]] uint16_t QueryPrintOptions(HostParamBlock* pBlock, CPrintOptions& options);
[[nodiscard]] uint16_t QueryPrintOptions2(HostParamBlock* pBlock, int16_t (&anValues)[10]);
[[nodiscard]] uint16_t QueryPaper(HostParamBlock* pBlock, CPaperRecord& paper);
[[nodiscard]] uint16_t QueryPrinterIsPostScript(HostParamBlock* pBlock, int16_t& nIsPostScript);
[[nodiscard]] uint16_t QueryDefaultPrinter(HostParamBlock* pBlock, std::string& strPrinter);
// pbAnswered, when given, tells whether the host answered at all (a list of
// no object is an answer; a list too long for the reply buffer is not).
[[nodiscard]] uint16_t QueryObjectsWithPrivateData(HostParamBlock* pBlock,
                                                   std::vector<CPrivateDataObject>& objects,
                                                   bool* pbAnswered = nullptr);
[[nodiscard]] uint16_t QueryFontSize(HostParamBlock* pBlock, int16_t& nSize);
[[nodiscard]] uint16_t QuerySelection(HostParamBlock* pBlock, CSelectionRecord& selection);
[[nodiscard]] uint16_t QueryTypeStyle(HostParamBlock* pBlock, int16_t& nStyle);
// A "getprivatestring" script line; the text is the reply from its fourth byte
// with the last character dropped.
[[nodiscard]] uint16_t QueryPrivateString(HostParamBlock* pBlock, const std::string& strLine,
                                          std::string& strText);

} // namespace Request
