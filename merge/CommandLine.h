// nebmerge's command line: one table gives every option, the name of its
// value and its help, and how it sets the request; each key of the job
// ticket is an option too ("--KEY", a switch's "--no-KEY" turning it off).
// The parsing, the usage and the manual page all read the table, so none
// of them can name an option the others do not.
#pragma once

#include "merge/Merge.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

struct COption {
    const char* pName;  // "--check"
    const char* pValue; // the value's name in the usage; null for a switch
    std::string strHelp;
    // Sets the request from the value ("true" or "false" for a switch);
    // false when it is not a value the option takes.
    std::function<bool(CMergeRequest&, const char*)> set;
};

// Every option, in the order the usage gives them.
const std::vector<COption>& MergeOptions();

enum class Arguments { Run, Help, Version, Refused };

// Reads the arguments into the request: the job's .ddf and its data file,
// and the options, in any order. An option given again is taken again (a
// set takes a name once; the last value of any other wins). Refused with a
// message naming the option and what it takes, or the word at fault.
Arguments ReadArguments(int argc, char** argv, CMergeRequest& request, std::string& strError);

// The usage: the synopsis and every option with its help.
void WriteUsage(FILE* pOut);

// The manual page nebmerge(1), in roff: the usage's options, the ticket's
// keys, the data formats, the exit statuses and examples.
void WriteManPage(FILE* pOut);

// "nebmerge 1.2.1".
std::string VersionText();
