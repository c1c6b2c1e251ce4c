// Having the host print the publication to a PostScript file for the job.
#pragma once

#include "plugin/channel/HostParamBlock.h"

#include <cstdint>
#include <string>

// Longest paper name the paper record holds.
constexpr size_t MaxPaperName = 49;

// Checks the printer, sets the print options and the paper for the job
// (orientation following the publication) and prints. 0 when the host
// printed; 7212 otherwise (the reason shown to the user where there is one).
uint16_t PrintToDisk(HostParamBlock* pBlock, const std::string& strPostScriptPath);

// Sets the view setting, reporting the one it replaces.
uint16_t SetViewSetting(HostParamBlock* pBlock, int16_t nValue, int16_t& nPrevious);

// The paper name for a wide publication: "Custom" stays (its sides are
// exchanged instead), a ".Transverse" name loses it, any other gets it when
// the name still fits the record.
std::string TransversePaperName(const std::string& strName);
