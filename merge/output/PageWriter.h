// What each output of the merge is written through: it is handed the pages
// of each copy (or sheet) as they are made, and only serialises them.
#pragma once

#include "merge/pages/PageContent.h"

#include <cstddef>
#include <string>

class IPageWriter {
  public:
    virtual ~IPageWriter() = default;
    // Before the first unit: what the output holds once (its setup, its
    // shared forms), for nPages pages in all. False with a message.
    virtual bool Begin(size_t nPages, std::string& strError) = 0;
    // The pages of a copy, or of a sheet, in order; false with a message.
    virtual bool Unit(const CShownUnit& unit, std::string& strError) = 0;
    // After the last unit: what ends the output; false with a message.
    virtual bool Finish(std::string& strError) = 0;
};
