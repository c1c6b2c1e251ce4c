// The host's reading of the private-string script lines:
//   getprivatestring "DEV", "KEY", classpub, INDEX, 0
//   getprivatestring "DEV", "KEY", classobject, INDEX, OBJECT
//   privatestring "DEV", "KEY", classpub, INDEX, 1, 0, true, "VALUE"
//   privatestring "DEV", "KEY", classobject, INDEX, 1, OBJECT, true, "VALUE"
// Quoted strings take a backslash before a double quote as that quote.
#pragma once

#include <cstdint>
#include <string>

struct CScriptLine {
    bool bWrite = false; // privatestring rather than getprivatestring
    std::string strDeveloper;
    std::string strKey;
    bool bObject = false; // classobject rather than classpub
    int32_t nIndex = 0;
    int32_t nObjectId = 0;
    std::string strValue;
};

// False with a message saying what is wrong with the line.
bool ParseScriptLine(const std::string& strLine, CScriptLine& line, std::string& strError);
