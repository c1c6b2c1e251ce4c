// One small operation per host request. Each fills the block for its request
// alone, calls the host, and returns StatusOk or StatusFailed with its results
// in out-parameters.
#pragma once

#include "HostParamBlock.h"
#include "HostRecords.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Request {

// Value a query reports when the host cannot determine it.
constexpr int16_t Undeterminable = -2;

uint16_t CmdSetViewSetting(HostParamBlock* pBlock, int16_t nPrevious, int16_t nValue);
uint16_t CmdPrintToFile(HostParamBlock* pBlock, const std::string& strPath,
                        const std::string& strPrinter);
uint16_t CmdPaste(HostParamBlock* pBlock);
uint16_t CmdClearSelection(HostParamBlock* pBlock);
// Page number, or NextPage for the page after the current one.
constexpr int32_t NextPage = -5;
uint16_t CmdGoToPage(HostParamBlock* pBlock, int32_t nPage);
uint16_t CmdTextRequest701(HostParamBlock* pBlock);
uint16_t CmdTextRequest702(HostParamBlock* pBlock);
uint16_t CmdSelectObject(HostParamBlock* pBlock, int32_t nObjectNumber);
uint16_t CmdMoveSelection(HostParamBlock* pBlock, int32_t nLeft, int32_t nTop);
uint16_t CmdPrintRequest923(HostParamBlock* pBlock);
uint16_t CmdSetPrintOptions(HostParamBlock* pBlock, const CPrintOptions& options);
uint16_t CmdSetPrintOptions2(HostParamBlock* pBlock, const int16_t (&anValues)[10]);
uint16_t CmdSetPaper(HostParamBlock* pBlock, const CPaperRecord& paper);
uint16_t CmdDeletePrivateString(HostParamBlock* pBlock, int32_t nIndex);
uint16_t CmdRequest1556(HostParamBlock* pBlock);
uint16_t CmdRequest1557(HostParamBlock* pBlock);
// A "privatestring" script line; a line that does not fit the request buffer
// with its NUL is refused without being sent.
uint16_t CmdPrivateString(HostParamBlock* pBlock, const std::string& strLine);

uint16_t QueryTextAlignment(HostParamBlock* pBlock, int16_t& nAlignment);
uint16_t QueryTextColorName(HostParamBlock* pBlock, std::string& strName);
// Longest colour name that can be sent with QueryColorCmyk.
constexpr size_t MaxColorName = 127;
uint16_t QueryColorCmyk(HostParamBlock* pBlock, const std::string& strName, int16_t& nCyan,
                        int16_t& nMagenta, int16_t& nYellow, int16_t& nBlack);
uint16_t QueryFontName(HostParamBlock* pBlock, std::string& strName);
uint16_t QueryLeading(HostParamBlock* pBlock, int16_t& nLeading);
uint16_t QueryPageObjects(HostParamBlock* pBlock, std::vector<CPageObject>& objects);
uint16_t QueryCurrentPage(HostParamBlock* pBlock, int16_t& nPage);
uint16_t QueryViewSetting(HostParamBlock* pBlock, int16_t& nSetting);
uint16_t QueryPageOrigin(HostParamBlock* pBlock, int32_t& nLeft, int32_t& nTop, int32_t& nRight);
uint16_t QueryPageCount(HostParamBlock* pBlock, int16_t& nCount);
uint16_t QueryPageSize(HostParamBlock* pBlock, int32_t& nWidth, int32_t& nHeight);
uint16_t QueryPublicationPath(HostParamBlock* pBlock, std::string& strPath);
uint16_t QueryPrintOptions(HostParamBlock* pBlock, CPrintOptions& options);
uint16_t QueryPrintOptions2(HostParamBlock* pBlock, int16_t (&anValues)[10]);
uint16_t QueryPaper(HostParamBlock* pBlock, CPaperRecord& paper);
uint16_t QueryPrinterIsPostScript(HostParamBlock* pBlock, int16_t& nIsPostScript);
uint16_t QueryDefaultPrinter(HostParamBlock* pBlock, std::string& strPrinter);
uint16_t QueryObjectsWithPrivateData(HostParamBlock* pBlock,
                                     std::vector<CPrivateDataObject>& objects);
uint16_t QueryFontSize(HostParamBlock* pBlock, int16_t& nSize);
uint16_t QuerySelection(HostParamBlock* pBlock, CSelectionRecord& selection);
uint16_t QueryTypeStyle(HostParamBlock* pBlock, int16_t& nStyle);
// A "getprivatestring" script line; the text is the reply from its fourth byte
// with the last character dropped.
uint16_t QueryPrivateString(HostParamBlock* pBlock, const std::string& strLine,
                            std::string& strText);

} // namespace Request
