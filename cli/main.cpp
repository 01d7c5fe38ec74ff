// versewright-cli: the editor's conversions, checks and tag edits for many files at once.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

int main(int argc, char** argv) {
    // A file-size limit must make the write fail with a reason, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    SCliArgs parsed;
    std::string error;
    if (!ParseCliArgs(args, parsed, error)) {
        PrintError("usage", error + " (see versewright-cli --help)");
        return EXIT_ERRORS;
    }
    if (parsed.bHelp) {
        std::fputs(CliUsage(), stdout);
        return EXIT_CLEAN;
    }
    if (parsed.bVersion) {
        std::puts("versewright-cli " VERSEWRIGHT_VERSION);
        return EXIT_CLEAN;
    }
    return RunCliCommand(parsed);
}
