// The Job Files dialog, in which the user confirms the two file names of a job.
#pragma once

#include <string>

// The longest job file path taken.
constexpr size_t MaxJobPath = 255;

// True when the user pressed OK; the two paths then hold the edited texts.
bool RunJobFilesDialog(std::string& strDocDefPath, std::string& strPostScriptPath);
