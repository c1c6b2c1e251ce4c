// Ghostscript run as a process in a box, on PostScript the merge step wrote
// from a customer's master and pictures: -dSAFER; a private, empty
// temporary folder made for the run, as its TMPDIR and working folder, and
// removed after, so that nothing of another job lies within its reach; file
// names passed so that it cannot take them for a pipe or a device; a time
// limit.
#pragma once

#include <string>
#include <vector>

// A file name as Ghostscript's output file: absolute, and with its percent
// signs doubled (a name that begins with %pipe% or holds %d is then just a
// name). A page pattern may follow it.
std::string GhostscriptOutputName(const std::string& strPath);

// Runs gs with the device options on the input (what it holds named by
// strWhat in a failure's message); false with a message when gs is missing,
// fails or runs past nSeconds.
bool RunGhostscript(const std::vector<std::string>& options, const std::string& strInput,
                    const std::string& strWhat, int nSeconds, std::string& strError);
