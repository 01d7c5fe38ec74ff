#pragma once
// Runs the built command-line tool as a child process in a folder, with given standard input,
// and collects its exit status and output.

#include <sys/resource.h>

#include <string>
#include <vector>

struct SCliRun {
    int nStatus = -1; // exit status, or -1 when the tool did not exit normally
    std::string strOut;
    std::string strErr;
};

struct SCliRunOptions {
    std::string strStdin;
    std::string strStdoutPath; // write standard output here (e.g. /dev/full) instead of capturing
    rlim_t nFileSizeLimit = RLIM_INFINITY;
};

inline SCliRunOptions WithStdin(std::string strStdin) {
    SCliRunOptions options;
    options.strStdin = std::move(strStdin);
    return options;
}

SCliRun RunCli(const std::string& dir, const std::vector<std::string>& args,
               const SCliRunOptions& options = {});

// Whole files, bytes as they are.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// The folder of the checked-in odd-input files.
std::string FixturePath(const std::string& name);
