// A command that raises an exception shows its message and ends normally.
#include "plugin/framework/CommandGuard.h"
#include "host/UiDriver.h"
#include "plugin/channel/HostParamBlock.h"
#include "plugin/framework/Exceptions.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

struct CGuardCase {
    const char* pName;
    std::function<uint16_t()> command;
    const char* pText;
};

const char* const MemoryText =
    "ZTM5043: A memory exception occured.\nClose all other applications and try the operation "
    "again.";
const char* const FileText = "ZTM5044: A file exception occured.  Try your operation again.";
const char* const OtherText = "ZTM5045: An exception occured.  Try the operation again.";

uint16_t AllocateTooMuch() {
    // More than a 32-bit process can ever have: the allocation fails for real.
    std::vector<char> huge;
    huge.reserve(std::numeric_limits<size_t>::max() / 2);
    return StatusFailed;
}

TEST(CommandGuard, ExceptionsBecomeTheirMessagesAndTheCommandEndsNormally) {
    const CGuardCase cases[] = {
        {"failed allocation", AllocateTooMuch, MemoryText},
        {"memory exception", []() -> uint16_t { throw CMemoryException(); }, MemoryText},
        {"file exception", []() -> uint16_t { throw CFileException("c:\\jobs\\card.ddf", 5); },
         FileText},
        {"run-time error", []() -> uint16_t { throw std::runtime_error("x"); }, OtherText},
        {"anything else", []() -> uint16_t { throw 42; }, OtherText},
    };
    for (const CGuardCase& c : cases) {
        SCOPED_TRACE(c.pName);
        CUiDriver driver;
        driver.PressOnMessageBox(IDOK);
        driver.Start();
        EXPECT_EQ(RunGuarded(c.command, StatusOk), StatusOk);
        ASSERT_TRUE(driver.Finish()) << driver.Error();
        EXPECT_EQ(driver.Seen()[0].strText, c.pText);
        EXPECT_EQ(driver.Seen()[0].strCaption, "NEB Variable Data");
        EXPECT_EQ(driver.Seen()[0].strIcon, "exclamation");
    }
}

TEST(CommandGuard, StatusOfACommandThatEndsNormallyPassesThrough) {
    EXPECT_EQ(RunGuarded([] { return StatusFailed; }, StatusOk), StatusFailed);
    EXPECT_EQ(RunGuarded([] { return StatusOk; }, StatusFailed), StatusOk);
}

} // namespace
