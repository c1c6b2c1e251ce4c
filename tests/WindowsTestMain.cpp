// The main of the Windows test programs: GoogleTest, with a guard over the
// test thread's windows. A window that comes up while no UI driver runs was
// asked for by no test: the guard names it and closes it, and the test during
// which it came fails, so that the program goes on instead of hanging.
#include "host/UiDriver.h"

#include <gtest/gtest.h>

namespace {

class CUnaskedWindowReporter : public ::testing::EmptyTestEventListener {
  public:
    explicit CUnaskedWindowReporter(CUiGuard& guard) : m_guard(guard) {}

    // Runs before the result of the test is printed: a failure added here
    // counts for the test.
    void OnTestEnd(const ::testing::TestInfo&) override {
        for (const std::string& strWindow : m_guard.TakeUnasked()) {
            ADD_FAILURE() << strWindow << " came up with no UI driver running; it was closed";
        }
    }

  private:
    CUiGuard& m_guard;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    CUiGuard guard;
    ::testing::UnitTest::GetInstance()->listeners().Append(new CUnaskedWindowReporter(guard));
    return RUN_ALL_TESTS();
}
