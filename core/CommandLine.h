// The options of a command line, read by one table: each entry names an
// option ("--log") and the name of the value it takes, or none for a switch.
#pragma once

#include <cstring>
#include <iterator>

// Reads the words of argv from nFirst on: a word that names an option of
// the table is handed to set with its value (the next word; "" for a
// switch), any other word, or an option whose value is missing, to other.
// Either refuses by returning false, which ends the reading with false.
//   Options: a range of entries with pName and pValue (null for a switch)
//   set(const Entry&, const char* pValue) -> bool; other(const char* pWord) -> bool
template <typename Options, typename Set, typename Other>
bool ReadOptions(int argc, char** argv, int nFirst, const Options& options, Set set, Other other) {
    for (int i = nFirst; i < argc; ++i) {
        decltype(&*std::begin(options)) pFound = nullptr;
        for (const auto& option : options) {
            pFound = strcmp(argv[i], option.pName) == 0 ? &option : pFound;
        }
        bool bRead = pFound == nullptr || (pFound->pValue != nullptr && i + 1 >= argc)
                         ? other(argv[i])
                         : set(*pFound, pFound->pValue != nullptr ? argv[++i] : "");
        if (!bRead) {
            return false;
        }
    }
    return true;
}
