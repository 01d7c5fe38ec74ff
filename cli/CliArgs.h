#pragma once
// The command line of versewright-cli: one command, its options and its files.

#include <cstdint>
#include <string>
#include <vector>

#include "doc/LyricsPath.h"

enum class CliCommand { None, Convert, Check, Tidy, Shift, Strip, Info };

struct SCliArgs {
    CliCommand command = CliCommand::None;
    std::vector<std::string> files; // "-" is standard input
    std::string strOutputDir;       // -o; "-" is standard output; empty when not given
    std::string strAudio;           // convert --audio
    LyricsFileType target = LyricsFileType::PlainText; // convert --to
    int64_t nShiftMs = 0;
    bool bInPlace = false;
    bool bJson = false;
    bool bToUtf8 = false;
    bool bFractions = false;
    bool bAudioLength = false;
    bool bHelp = false;
    bool bVersion = false;
};

// Parses argv; false with a one-line reason for a command line that makes no sense.
bool ParseCliArgs(const std::vector<std::string>& args, SCliArgs& out, std::string& error);

// The text of --help.
const char* CliUsage();
