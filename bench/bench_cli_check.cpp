// Speed of checking a lyrics collection: 1,000 song files on disk, read and checked in the
// program, and the command-line tool run over all of them as a user would.

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "doc/LyricsCheck.h"
#include "doc/LyricsFile.h"

namespace {

constexpr int kFiles = 1000;

// A folder of kFiles songs of 60 timed lines each, a few with something to report.
class CCollection {
public:
    CCollection() {
        char pattern[] = "/tmp/versewright-bench-XXXXXX";
        m_dir = mkdtemp(pattern);
        for (int n = 0; n < kFiles; ++n) {
            std::string text = "[ti:Song " + std::to_string(n) + "]\r\n[ar:Singer]\r\n";
            for (int i = 0; i < 60; ++i)
                text += "[0" + std::to_string(i / 20) + ":" + std::to_string(10 + i % 20 * 2) +
                        ".50]a line of the song, number " + std::to_string(i) + "\r\n";
            if (n % 10 == 0)
                text += "[00:01.00]back to the start [01:2x]\r\n";
            m_files.push_back(m_dir + "/song" + std::to_string(n) + ".lrc");
            std::ofstream(m_files.back(), std::ios::binary) << text;
        }
    }
    ~CCollection() {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    const std::vector<std::string>& Files() const { return m_files; }

private:
    std::string m_dir;
    std::vector<std::string> m_files;
};

const CCollection& Collection() {
    static const CCollection collection;
    return collection;
}

void BM_CheckThousandFiles(benchmark::State& state) {
    const CCollection& songs = Collection();
    for (auto _ : state) {
        size_t nFindings = 0;
        for (const std::string& path : songs.Files()) {
            CLyricsFile file;
            std::string error;
            if (ReadLyricsFile(path, 0, file, error))
                nFindings += CheckLyricsFile(file).size();
        }
        benchmark::DoNotOptimize(nFindings);
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_CheckThousandFiles)->Unit(benchmark::kMillisecond);

// The tool itself: one process over the whole collection, its report thrown away.
void RunTool(const std::vector<std::string>& args) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(CLI_PATH)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        if (!freopen("/dev/null", "w", stdout))
            _exit(127);
        execv(CLI_PATH, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
}

void BM_CliCheckThousandFiles(benchmark::State& state) {
    std::vector<std::string> args{"check"};
    for (const std::string& path : Collection().Files())
        args.push_back(path);
    for (auto _ : state)
        RunTool(args);
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_CliCheckThousandFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CliStart(benchmark::State& state) {
    for (auto _ : state)
        RunTool({"--version"});
}
BENCHMARK(BM_CliStart)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
