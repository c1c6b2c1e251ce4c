// The plug-in's string catalogue: texts of the string table, loaded by
// identifier from the module's resources.
#pragma once

#include <string>
#include <vector>

// The catalogue entry, at most 255 characters; empty when it does not exist.
std::string LoadCatalogueString(unsigned nId);

// The entry with its %s replaced by the text (taken as it is, never as a format).
std::string FormatCatalogueString(unsigned nId, const char* pText);
// The entry with each %s in turn replaced by the next text.
std::string FormatCatalogueString(unsigned nId, const std::vector<std::string>& texts);
