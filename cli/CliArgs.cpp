#include "cli/CliArgs.h"

#include <charconv>
#include <string_view>

namespace {

struct SCommandName {
    std::string_view name;
    CliCommand command;
};
constexpr SCommandName kCommands[] = {
    {"convert", CliCommand::Convert}, {"check", CliCommand::Check}, {"tidy", CliCommand::Tidy},
    {"shift", CliCommand::Shift},     {"strip", CliCommand::Strip}, {"info", CliCommand::Info},
};

// The commands each option applies to, as a bit set of CliCommand values.
constexpr unsigned Bit(CliCommand c) {
    return 1u << static_cast<unsigned>(c);
}
constexpr unsigned kWriters = Bit(CliCommand::Convert) | Bit(CliCommand::Tidy) |
                              Bit(CliCommand::Shift) | Bit(CliCommand::Strip);

struct SFlag {
    std::string_view name;
    bool SCliArgs::*pMember;
    unsigned nCommands;
};
constexpr SFlag kFlags[] = {
    {"--in-place", &SCliArgs::bInPlace, kWriters},
    {"--to-utf8", &SCliArgs::bToUtf8, kWriters},
    {"--json", &SCliArgs::bJson, Bit(CliCommand::Check) | Bit(CliCommand::Info)},
    {"--fractions", &SCliArgs::bFractions, Bit(CliCommand::Strip)},
    {"--audio-length", &SCliArgs::bAudioLength, Bit(CliCommand::Info)},
};

bool ParseMs(std::string_view s, int64_t& ms) {
    if (!s.empty() && s[0] == '+')
        s.remove_prefix(1);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), ms);
    // Further than any tag can be is no time to move by.
    constexpr int64_t kMaxShift = 0xFFFFFFFF;
    return ec == std::errc() && end == s.data() + s.size() && !s.empty() && ms >= -kMaxShift &&
           ms <= kMaxShift;
}

bool Fail(std::string& error, std::string reason) {
    error = std::move(reason);
    return false;
}

// The value of an option given as "--name VALUE" or "--name=VALUE".
bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string_view name,
               std::string& value, bool& bTaken, std::string& error) {
    const std::string_view arg = args[i];
    bTaken = false;
    if (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=' &&
        name.starts_with("--")) {
        value = arg.substr(name.size() + 1);
    } else if (arg == name) {
        if (i + 1 >= args.size())
            return Fail(error, std::string(name) + " needs a value");
        value = args[++i];
    } else {
        return true;
    }
    bTaken = true;
    return true;
}

bool ParseTarget(std::string_view to, LyricsFileType& target, std::string& error) {
    if (to == "lrc")
        target = LyricsFileType::PlainText;
    else if (to == "lyr")
        target = LyricsFileType::Lyr;
    else if (to == "mpt")
        target = LyricsFileType::Mpt;
    else
        return Fail(error, "--to takes lrc, lyr or mpt, not '" + std::string(to) + "'");
    return true;
}

} // namespace

bool ParseCliArgs(const std::vector<std::string>& args, SCliArgs& out, std::string& error) {
    out = SCliArgs();
    size_t i = 0;
    // Help and version stand on their own, before any command.
    if (i < args.size() && (args[i] == "--help" || args[i] == "-h"))
        return out.bHelp = true;
    if (i < args.size() && args[i] == "--version")
        return out.bVersion = true;
    if (i >= args.size())
        return Fail(error, "no command given");
    for (const SCommandName& c : kCommands)
        if (args[i] == c.name)
            out.command = c.command;
    if (out.command == CliCommand::None)
        return Fail(error, "unknown command '" + args[i] + "'");
    const std::string strCommand = args[i++];

    bool bTo = false, bShift = false, bOptionsEnd = false;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (bOptionsEnd || arg == "-" || arg.empty() || arg[0] != '-') {
            // shift's first plain argument is the time.
            if (out.command == CliCommand::Shift && !bShift) {
                if (!ParseMs(arg, out.nShiftMs))
                    return Fail(error,
                                "shift needs a whole number of milliseconds, not '" + arg + "'");
                bShift = true;
                continue;
            }
            out.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            bOptionsEnd = true;
            continue;
        }
        if (out.command == CliCommand::Shift && !bShift && arg.size() > 1 && arg[1] >= '0' &&
            arg[1] <= '9') {
            if (!ParseMs(arg, out.nShiftMs)) // a negative time
                return Fail(error, "shift needs a whole number of milliseconds, not '" + arg + "'");
            bShift = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            out.bHelp = true;
            continue;
        }
        std::string value;
        bool bTaken = false;
        const unsigned nThis = Bit(out.command);
        auto applies = [&](unsigned nCommands, std::string_view name) {
            return (nCommands & nThis) != 0 ||
                   Fail(error, std::string(name) + " does not apply to " + strCommand);
        };
        if (!TakeValue(args, i, "-o", value, bTaken, error) ||
            (!bTaken && !TakeValue(args, i, "--output", value, bTaken, error)))
            return false;
        if (bTaken) {
            if (!applies(kWriters, "-o"))
                return false;
            out.strOutputDir = value.empty() ? "." : value;
            continue;
        }
        if (!TakeValue(args, i, "--to", value, bTaken, error))
            return false;
        if (bTaken) {
            if (!applies(Bit(CliCommand::Convert), "--to") ||
                !ParseTarget(value, out.target, error))
                return false;
            bTo = true;
            continue;
        }
        if (!TakeValue(args, i, "--audio", value, bTaken, error))
            return false;
        if (bTaken) {
            if (!applies(Bit(CliCommand::Convert), "--audio"))
                return false;
            out.strAudio = value;
            continue;
        }
        bool bKnown = false;
        for (const SFlag& flag : kFlags) {
            if (arg != flag.name)
                continue;
            if (!applies(flag.nCommands, flag.name))
                return false;
            out.*flag.pMember = bKnown = true;
        }
        if (!bKnown)
            return Fail(error, "unknown option '" + arg + "'");
    }
    if (out.bHelp)
        return true;
    if (out.command == CliCommand::Convert && !bTo)
        return Fail(error, "convert needs --to lrc, lyr or mpt");
    if (out.command == CliCommand::Shift && !bShift)
        return Fail(error, "shift needs the milliseconds to move the tags by");
    if (out.files.empty())
        return Fail(error, strCommand + " needs at least one file");
    if (out.bInPlace && !out.strOutputDir.empty())
        return Fail(error, "--in-place and -o exclude each other");
    if (!out.strAudio.empty() && out.target != LyricsFileType::Mpt)
        return Fail(error, "--audio goes with --to mpt");
    if (!out.strAudio.empty() && out.files.size() > 1)
        return Fail(error, "--audio goes with one lyrics file");
    return true;
}

const char* CliUsage() {
    return R"(Usage: versewright-cli COMMAND [OPTIONS] FILE...

Batch work on lyrics files (.lrc and .txt text, .lyr, .mpt). A FILE of "-" is
standard input. Every file is handled on its own; a failure names the file and
the reason and the others go on.

Commands:
  convert FILE... --to lrc|lyr|mpt [--audio AUDIO]
                 write each file in another format, beside it (or into -o DIR);
                 MPT files carry MP3 audio: AUDIO, else the .mp3 or .mpt found
                 beside the lyrics
  check FILE... [--json]
                 report what wants fixing, line by line; exit status 0 when
                 clean, 1 when something was reported, 2 on errors
  tidy FILE...   apply the offset to every tag, keep only tag and header lines,
                 headers first
  shift MS FILE...
                 move every time tag by MS milliseconds (negative is earlier),
                 never below zero
  strip [--fractions] FILE...
                 remove every time tag, or with --fractions only their
                 fractions of a second
  info FILE... [--json] [--audio-length]
                 code page, headers, tags, times and the audio beside the file

Options:
  -o DIR, --output DIR   write results into DIR, made when missing ("-":
                         standard output); tidy, shift and strip write to
                         standard output without it
  --in-place             replace each file with its result
  --to-utf8              write text in UTF-8 instead of the file's code page
  -h, --help             show this help
  --version              show the version

Text is written in the code page it was read in, byte for byte, unless
--to-utf8 is given. A file is replaced only once its new content is complete.
Every command exits with 2 when a file failed, and with 1 when a file was
reported (check's findings, or a LYR file holding more lyrics than could be read).
)";
}
