// The main of the Windows test programs: GoogleTest, with a guard over the
// test thread's windows and a watchdog over each test. A window that comes up
// while no UI driver runs was asked for by no test: the guard names it and
// closes it, and the test during which it came fails, so that the program
// goes on instead of hanging. A test that runs past its time is named and the
// program ends, so that a hang is a result and not a wait.
#include "host/UiDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace {

// The longest a single test may take, on the slowest machine the tests run on.
constexpr int TestSeconds = 120;

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

class CTestWatchdog : public ::testing::EmptyTestEventListener {
  public:
    CTestWatchdog() : m_thread([this] { Watch(); }) {}
    CTestWatchdog(const CTestWatchdog&) = delete;
    CTestWatchdog& operator=(const CTestWatchdog&) = delete;
    ~CTestWatchdog() override {
        m_bStop = true;
        m_thread.join();
    }

    void OnTestStart(const ::testing::TestInfo& test) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_strTest = std::string(test.test_suite_name()) + "." + test.name();
        m_started = std::chrono::steady_clock::now();
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_strTest.clear();
    }

  private:
    void Watch() {
        while (!m_bStop.load()) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (!m_strTest.empty() && std::chrono::steady_clock::now() - m_started >
                                              std::chrono::seconds(TestSeconds)) {
                    fprintf(stderr, "\n%s did not end within %d s: the test program stops\n",
                            m_strTest.c_str(), TestSeconds);
                    fflush(stderr);
                    fflush(stdout);
                    // Not exit(): a thread stuck inside the loader would keep
                    // the process from ending.
                    TerminateProcess(GetCurrentProcess(), 1);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    }

    std::mutex m_mutex;
    std::string m_strTest;
    std::chrono::steady_clock::time_point m_started;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    CUiGuard guard;
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    listeners.Append(new CUnaskedWindowReporter(guard));
    listeners.Append(new CTestWatchdog);
    return RUN_ALL_TESTS();
}
