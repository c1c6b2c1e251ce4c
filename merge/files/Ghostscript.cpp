#include "merge/files/Ghostscript.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

std::string Absolute(const std::string& strPath) {
    if (!strPath.empty() && strPath[0] == '/') {
        return strPath;
    }
    char szFolder[PATH_MAX];
    return getcwd(szFolder, sizeof szFolder) != nullptr ? std::string(szFolder) + "/" + strPath
                                                        : strPath;
}

// A private folder, removed with what it holds when the run is over.
class CBox {
  public:
    CBox() {
        const char* pTemporary = getenv("TMPDIR");
        std::string strTemplate =
            std::string(pTemporary != nullptr && *pTemporary == '/' ? pTemporary : "/tmp") +
            "/nebmerge-gs-XXXXXX";
        if (mkdtemp(&strTemplate[0]) != nullptr) {
            strFolder = strTemplate;
        }
    }
    ~CBox() {
        std::error_code error;
        if (!strFolder.empty()) {
            std::filesystem::remove_all(strFolder, error);
        }
    }
    std::string strFolder;
};

} // namespace

std::string GhostscriptOutputName(const std::string& strPath) {
    std::string strOut;
    for (char c : Absolute(strPath)) {
        strOut += c == '%' ? "%%" : std::string(1, c);
    }
    return strOut;
}

namespace {

// Starts Ghostscript with the arguments in the box's folder, in a process
// group of its own; its process, or -1.
pid_t StartInBox(const CBox& box, std::vector<std::string>& all) {
    std::vector<char*> argv;
    for (std::string& strArg : all) {
        argv.push_back(&strArg[0]);
    }
    argv.push_back(nullptr);
    pid_t nChild = fork();
    if (nChild == 0) {
        setpgid(0, 0);
        if (chdir(box.strFolder.c_str()) != 0) {
            _exit(126);
        }
        for (const char* pName : {"TMPDIR", "TEMP", "TMP"}) {
            setenv(pName, box.strFolder.c_str(), 1);
        }
        // Nothing of the caller's own settings reaches into the box.
        unsetenv("GS_OPTIONS");
        execvp("gs", argv.data());
        _exit(127);
    }
    return nChild;
}

// Waits for the process to end, for nSeconds at the most (then it and its
// group are stopped); false with a message when it did not end by itself.
bool WaitFor(pid_t nChild, int nSeconds, int& nStatus, std::string& strError) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(nSeconds);
    pid_t nDone = 0;
    while ((nDone = waitpid(nChild, &nStatus, WNOHANG)) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(-nChild, SIGKILL);
            waitpid(nChild, &nStatus, 0);
            strError = "Ghostscript ran past " + std::to_string(nSeconds) +
                       " s and was stopped (--gs-timeout)";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (nDone < 0) {
        strError = "cannot start Ghostscript";
        return false;
    }
    return true;
}

} // namespace

bool RunGhostscript(const std::vector<std::string>& options, const std::string& strInput,
                    const std::string& strWhat, int nSeconds, std::string& strError) {
    CBox box;
    if (box.strFolder.empty()) {
        strError = "cannot make a temporary folder for Ghostscript";
        return false;
    }
    std::vector<std::string> all = {"gs", "-q", "-dBATCH", "-dNOPAUSE", "-dSAFER"};
    all.insert(all.end(), options.begin(), options.end());
    // An absolute name is a file name, whatever it holds.
    all.push_back(Absolute(strInput));
    pid_t nChild = StartInBox(box, all);
    if (nChild < 0) {
        strError = "cannot start Ghostscript";
        return false;
    }
    int nStatus = 0;
    if (!WaitFor(nChild, nSeconds, nStatus, strError)) {
        return false;
    }
    if (WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 127) {
        strError = "Ghostscript (gs) is not installed: install the ghostscript package";
        return false;
    }
    if (!WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0) {
        strError = "Ghostscript could not render " + strWhat;
        return false;
    }
    return true;
}
