// The sample variable data input file: loading its first bytes, cutting the
// first complete copy out of them, and letting the user choose the file.
#pragma once

#include "SampleState.h"
#include "plugin/framework/GlobalMemory.h"

#include <windows.h>

#include <string>

// The most of the file that is ever read.
constexpr DWORD MaxSampleBytes = 10240;

// A new movable block with the first bytes of the file and a NUL; empty when
// the path is empty or the file is missing, unreadable or empty.
CGlobalBlock LoadSampleFile(const char* pPath);

// Replaces the state's copy text by the block's text between the offsets;
// with no block, or one that cannot be locked, the copy text is only dropped.
void ExtractCopy(CSampleState& state, HGLOBAL hSample, int nStart, int nEnd);

// The Open dialog starting at the path's folder and file name; true with the
// full path chosen, false (and an empty path) on Cancel.
bool BrowseForSampleFile(const char* pInitialPath, std::string& strChosen, unsigned nFilterId,
                         unsigned nTitleId);

// The Open dialog for a first choice of the file, in the folder of the
// publication's document definition; an untitled publication (no path)
// starts in the current folder.
bool ChooseFirstSampleFile(const char* pDocDefPath, std::string& strChosen);

// Makes sure the copy text is there when a file is remembered: loads it, or
// after ZTM5018 lets the user find the file again. False when neither works.
bool EnsureSampleCopy(CSampleState& state);

// The remembered file name for saving, lower-cased in place; null when none.
const char* SampleFileNameForSaving(CSampleState& state);
