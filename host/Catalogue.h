// A publication of catalogue size, made from a small one: the same
// publication strings (sample file, font mapping, fields), page size, paper
// and printer, with every page holding a text block and a grid of
// placeholders, each tied in turn to one of the data fields. The same
// arguments always give the same publication.
#pragma once

#include "Publication.h"

#include <string>

// False with a message when the model has no data field to tie placeholders
// to, or a count is out of range (pages 1 to 32767, placeholders 1 to 120 a page).
bool MakeCatalogue(const CPublication& model, int nPages, int nPerPage, CPublication& catalogue,
                   std::string& strError);
