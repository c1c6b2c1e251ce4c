// The private strings that the host keeps with the publication and with its
// page objects: single strings and numbered runs of them.
#pragma once

#include "HostParamBlock.h"

#include <cstdint>
#include <string>

// The value that stands for a deleted publication string in a run.
constexpr const char* InvalidPrivateString = "InvalidPrivateString";

// What the run readers give for a run the host did not hand over whole (a
// string of it failed to read, and was there when asked for again), as
// opposed to StatusFailed for no run at all.
constexpr uint16_t RunNotWhole = 2;

[[nodiscard]] uint16_t ReadPubString(HostParamBlock* pBlock, int32_t nIndex, std::string& strText);
[[nodiscard]] uint16_t WritePubString(HostParamBlock* pBlock, int32_t nIndex,
                                      const std::string& strText);
[[nodiscard]] uint16_t DeletePubString(HostParamBlock* pBlock, int32_t nIndex);
// The run from the index up to the first string that cannot be read or is
// the deleted marker: a null-terminated array of new strings. StatusFailed
// for no run, RunNotWhole (nothing read) when the host failed inside it.
[[nodiscard]] uint16_t ReadPubList(HostParamBlock* pBlock, int32_t nFirst, char**& ppStrings);
// Writes the array (or nothing for null) as the run from the index, then
// deletes every readable string after it.
[[nodiscard]] uint16_t WritePubList(HostParamBlock* pBlock, int32_t nFirst, char** ppStrings);

[[nodiscard]] uint16_t ReadObjectString(HostParamBlock* pBlock, int32_t nIndex, int32_t nObjectId,
                                        std::string& strText);
[[nodiscard]] uint16_t WriteObjectString(HostParamBlock* pBlock, int32_t nIndex, int32_t nObjectId,
                                         const std::string& strText);
// The object's run from the index up to the first string that cannot be read;
// StatusFailed for none, RunNotWhole as for the publication's runs.
[[nodiscard]] uint16_t ReadObjectList(HostParamBlock* pBlock, int32_t nFirst, int32_t nObjectId,
                                      char**& ppStrings);
[[nodiscard]] uint16_t WriteObjectList(HostParamBlock* pBlock, int32_t nFirst, int32_t nObjectId,
                                       char** ppStrings);

// The names (string 1) of every object that carries private strings.
// pbAnswered as for the request: false when the host gave no list at all.
[[nodiscard]] uint16_t ListObjectNames(HostParamBlock* pBlock, char**& ppNames,
                                       bool* pbAnswered = nullptr);

// Frees each string of a null-terminated array, then the array; null is fine.
void FreeStringArray(char** ppStrings);
