#pragma once
// What versewright-cli writes: error lines, JSON strings, standard output, output files and the
// progress line of a long batch.

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

// "versewright-cli: NAME: REASON" on standard error.
void PrintError(std::string_view name, std::string_view reason);

// s as a JSON string literal (quotes included); bytes that are no UTF-8 are read as Latin-1.
std::string JsonString(std::string_view s);

// Writes bytes to standard output; false with the reason when they could not all be written.
bool WriteStdout(std::string_view bytes, std::string& error);

// Shows "n/total name" on standard error, when it is a terminal, once a batch has taken more
// than a second; the line is cleared at the end.
class CProgress {
public:
    explicit CProgress(size_t nTotal);
    ~CProgress();
    void Step(size_t nDone, std::string_view name);

private:
    using Clock = std::chrono::steady_clock;
    size_t m_nTotal;
    bool m_bTerminal;
    bool m_bShown = false;
    Clock::time_point m_start = Clock::now();
    Clock::time_point m_last;
};
