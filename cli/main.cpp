// SPDX-License-Identifier: MIT
// kolvane-cli: the headless front end to the conversion engine.
#include "cli/Command.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // A file size limit then fails the write, which is told, instead of
    // ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    int status = 1;
    try {
        status = kolvane::cli::RunCommandLine(kolvane::cli::KolvaneCliCommands(), arguments);
    } catch (const std::bad_alloc&) {
        std::fputs("kolvane-cli: there is not enough memory to go on; nothing more was done\n",
                   stderr);
        return 1;
    }
    // What was printed is only out once standard output is closed: a late
    // failure (a full disk, a file size limit) is a failure of the command.
    if (std::fclose(stdout) != 0) {
        std::fprintf(stderr, "kolvane-cli: writing to standard output failed: %s\n",
                     std::strerror(errno));
        status = status == 0 ? 1 : status;
    }
    return status;
}
