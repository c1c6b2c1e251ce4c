#include "core/OwnedText.h"

#include <gtest/gtest.h>

namespace {

TEST(OwnedText, ReplacingCopiesFirstAndFreesAfter) {
    char* pOwned = nullptr;
    ReplaceOwnedText(pOwned, "c:\\fonts\\first.vda");
    EXPECT_STREQ(pOwned, "c:\\fonts\\first.vda");
    // Replaced by a text inside itself: the copy is made before the old text goes.
    ReplaceOwnedText(pOwned, pOwned + 9);
    EXPECT_STREQ(pOwned, "first.vda");
    ReplaceOwnedText(pOwned, nullptr);
    EXPECT_EQ(pOwned, nullptr);
    EXPECT_EQ(DuplicateText(nullptr), nullptr);
}

} // namespace
