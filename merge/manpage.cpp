// Writes the manual page nebmerge(1) to standard output; the build makes
// nebmerge.1 with it.
#include "merge/CommandLine.h"

#include <cstdio>

int main() {
    WriteManPage(stdout);
    return 0;
}
