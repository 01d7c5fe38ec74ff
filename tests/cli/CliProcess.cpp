#include "tests/cli/CliProcess.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string FixturePath(const std::string& name) {
    return std::string(CLI_FIXTURES) + "/" + name;
}

SCliRun RunCli(const std::string& dir, const std::vector<std::string>& args,
               const SCliRunOptions& options) {
    // Captures live apart from dir, so the tool's folder holds only what the test put there.
    char pattern[] = "/tmp/versewright-cli-run-XXXXXX";
    const std::string capture = mkdtemp(pattern) ? pattern : "/tmp";
    const std::string in = capture + "/in", out = capture + "/out", err = capture + "/err";
    WriteBytes(in, options.strStdin);
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string outPath = options.strStdoutPath.empty() ? out : options.strStdoutPath;
        const int fdIn = open(in.c_str(), O_RDONLY);
        const int fdOut = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int fdErr = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fdIn < 0 || fdOut < 0 || fdErr < 0 || chdir(dir.c_str()) != 0)
            _exit(127);
        dup2(fdIn, 0);
        dup2(fdOut, 1);
        dup2(fdErr, 2);
        const rlimit limit{options.nFileSizeLimit, options.nFileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::vector<char*> argv{const_cast<char*>(CLI_PATH)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(CLI_PATH, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    SCliRun run;
    run.nStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.strOut = ReadBytes(out);
    run.strErr = ReadBytes(err);
    unlink(in.c_str());
    unlink(out.c_str());
    unlink(err.c_str());
    rmdir(capture.c_str());
    return run;
}
