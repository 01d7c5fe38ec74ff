#include "cli/CliCommands.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <sys/stat.h>

#include "cli/CliOutput.h"
#include "doc/CompanionAudio.h"
#include "doc/Conversion.h"
#include "doc/FileReplace.h"
#include "doc/HeaderTags.h"
#include "doc/LrcText.h"
#include "doc/LyrFormat.h"
#include "doc/LyricsCheck.h"
#include "doc/LyricsFile.h"
#include "doc/MptFormat.h"
#include "doc/TextFile.h"
#include "platform/SystemLanguage.h"
#include "player/AudioLength.h"
#include "view/TagText.h"

namespace {

constexpr std::string_view kStdStream = "-";

std::string DisplayName(const std::string& file) {
    return file == kStdStream ? "standard input" : file;
}

bool Fail(std::string& error, std::string reason) {
    error = std::move(reason);
    return false;
}

bool LoadInput(const SCliArgs& args, const std::string& file, CLyricsFile& out,
               std::string& error) {
    bool bOk;
    if (file == kStdStream) {
        std::string bytes;
        bOk = ReadAllFromFd(STDIN_FILENO, PLAIN_FILE_MAX_SIZE, bytes, error) &&
              LoadLyricsImage(LyricsFileType::PlainText, bytes, GetUiLanguage(), out, error);
    } else {
        bOk = ReadLyricsFile(file, GetUiLanguage(), out, error);
    }
    if (bOk && out.bCut)
        PrintError(DisplayName(file), std::string("warning: ") + kLyricsLeftOut);
    return bOk && (!args.bToUtf8 || ConvertToUtf8(out, error));
}

// At least EXIT_FINDINGS for a file whose lyrics were not all read.
int StatusAfter(int status, const CLyricsFile& file) {
    return file.bCut ? std::max(status, int(EXIT_FINDINGS)) : status;
}

// The file name of an input with its extension replaced (or added).
std::string NameWithExtension(const std::string& path, std::string_view ext) {
    std::string name(PathFileName(path));
    name.resize(name.size() - PathExtension(name).size());
    return name + std::string(ext);
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// Where one result goes, and the writing of it.
class CBatch {
public:
    explicit CBatch(const SCliArgs& args) : m_args(args) {}

    // Writes the result of input, named name, where the options say; bStdoutByDefault for the
    // commands that print without -o. False after the error line has been printed.
    bool Write(const std::string& input, const std::string& name, bool bStdoutByDefault,
               bool bBinary, std::string_view bytes);

private:
    bool Resolve(const std::string& input, const std::string& name, bool bStdoutByDefault,
                 std::string& path, std::string& error);

    // Makes the folder of -o, with the folders on its way, the first time it is needed.
    bool MakeOutputFolder(std::string& error);

    const SCliArgs& m_args;
    bool m_bFolderMade = false;
    std::set<std::string> m_written; // outputs of this run, so that no file overwrites another
};

bool CBatch::MakeOutputFolder(std::string& error) {
    std::error_code ec;
    if (!m_bFolderMade && !std::filesystem::create_directories(m_args.strOutputDir, ec) && ec)
        return Fail(error, m_args.strOutputDir + ": " + ec.message());
    m_bFolderMade = true;
    return true;
}

bool CBatch::Resolve(const std::string& input, const std::string& name, bool bStdoutByDefault,
                     std::string& path, std::string& error) {
    path.clear();
    const std::string& dir = m_args.strOutputDir;
    if (input == kStdStream) {
        if (m_args.bInPlace)
            return Fail(error, "standard input cannot be changed in place");
        if (!dir.empty() && dir != kStdStream)
            return Fail(error, "standard input has no file name to write into " + dir);
        return true;
    }
    if (dir == kStdStream)
        return true;
    if (m_args.bInPlace && m_args.command != CliCommand::Convert)
        path = input;
    else if (!dir.empty() && !MakeOutputFolder(error))
        return false;
    else if (!dir.empty())
        path = (std::filesystem::path(dir) / name).string();
    else if (bStdoutByDefault)
        return true;
    else
        path = (std::filesystem::path(input).parent_path() / name).string();
    if (!m_args.bInPlace && SameFile(path, input))
        return Fail(error, "the result would replace the file itself; give --in-place for that");
    std::error_code ec;
    const std::string key = std::filesystem::weakly_canonical(path, ec).string();
    if (!m_written.insert(ec ? path : key).second)
        return Fail(error, path + " was already written from another file");
    return true;
}

bool CBatch::Write(const std::string& input, const std::string& name, bool bStdoutByDefault,
                   bool bBinary, std::string_view bytes) {
    std::string path, error;
    if (!Resolve(input, name, bStdoutByDefault, path, error)) {
        PrintError(DisplayName(input), error);
        return false;
    }
    if (path.empty()) {
        if (bBinary && isatty(STDOUT_FILENO)) {
            PrintError(DisplayName(input), "a binary file is not written to a terminal");
            return false;
        }
        if (!WriteStdout(bytes, error)) {
            PrintError("standard output", error);
            return false;
        }
        return true;
    }
    if (!WriteFileReplacing(path, bytes, &error)) {
        PrintError(path, "cannot be written: " + error);
        return false;
    }
    return true;
}

// The audio an MPT file is built with: given, or the one beside the lyrics; MP3 data only.
bool FindMptAudio(const SCliArgs& args, const std::string& input, std::string& audio,
                  std::string& error) {
    audio = args.strAudio;
    if (audio.empty() && (input == kStdStream || !FindCompanionAudio(input, audio)))
        return Fail(error, "an MPT file needs its MP3 audio: none found beside it; give --audio");
    const std::string ext = UpperAscii(PathExtension(audio));
    if (ext != ".MP3" && ext != ".MPT")
        return Fail(error,
                    "an MPT file carries MP3 audio, and " + audio + " is no .mp3 or .mpt file");
    return true;
}

bool BuildMpt(const SCliArgs& args, const std::string& input, const CLyricsFile& file,
              std::string& out, std::string& error) {
    std::string audioPath, audio;
    uint32_t ms = 0;
    if (!FindMptAudio(args, input, audioPath, error))
        return false;
    if (!ReadFileBytes(audioPath, SIZE_MAX, audio) || !AudioFileLength(audioPath, ms, error))
        return Fail(error, audioPath + ": " + (error.empty() ? "cannot be read" : error));
    // The name is stored in the lyrics' code page when it has one there.
    const std::string name(PathFileName(audioPath));
    std::u16string unicode;
    std::string stored;
    if (!CCodePage().ToUnicode(name, unicode) || !file.codePage.FromUnicode(unicode, stored))
        stored = name;
    out = BuildMptFile(file.codePage, file.strText, stored, ms, audio);
    return true;
}

int RunConvert(const SCliArgs& args) {
    CBatch batch(args);
    CProgress progress(args.files.size());
    static constexpr std::string_view kExtensions[] = {".lrc", ".lyr", ".mpt"};
    const std::string_view ext = kExtensions[static_cast<int>(args.target)];
    int status = EXIT_CLEAN;
    for (size_t i = 0; i < args.files.size(); ++i) {
        const std::string& input = args.files[i];
        progress.Step(i, input);
        CLyricsFile file;
        std::string bytes, error;
        bool bOk = LoadInput(args, input, file, error);
        if (bOk) {
            switch (args.target) {
            case LyricsFileType::PlainText:
                bytes = PlainFileBytes(file, file.strText);
                break;
            case LyricsFileType::Lyr:
                bytes = BuildLyrFile(file.codePage, file.strText);
                break;
            case LyricsFileType::Mpt:
                bOk = BuildMpt(args, input, file, bytes, error);
                break;
            }
        }
        if (!bOk)
            PrintError(DisplayName(input), error);
        if (!bOk || !batch.Write(input, NameWithExtension(input, ext), false,
                                 args.target != LyricsFileType::PlainText, bytes))
            status = EXIT_ERRORS;
        status = StatusAfter(status, file);
    }
    return status;
}

// tidy, shift and strip: a text edit of each file, written as LRC text.
using TextEdit = std::function<bool(const CLyricsFile&, std::string&, std::string&)>;

int RunTextEdit(const SCliArgs& args, const TextEdit& edit) {
    CBatch batch(args);
    CProgress progress(args.files.size());
    int status = EXIT_CLEAN;
    for (size_t i = 0; i < args.files.size(); ++i) {
        const std::string& input = args.files[i];
        progress.Step(i, input);
        CLyricsFile file;
        std::string result, error;
        bool bOk = LoadInput(args, input, file, error);
        if (bOk && args.bInPlace && file.type != LyricsFileType::PlainText)
            bOk = Fail(error, "only text files are changed in place; convert it with --to lrc");
        bOk = bOk && edit(file, result, error);
        if (!bOk)
            PrintError(DisplayName(input), error);
        const std::string name = file.type == LyricsFileType::PlainText
                                     ? std::string(PathFileName(input))
                                     : NameWithExtension(input, ".lrc");
        if (!bOk || !batch.Write(input, name, true, false, PlainFileBytes(file, result)))
            status = EXIT_ERRORS;
        status = StatusAfter(status, file);
    }
    return status;
}

bool TooLong(const std::string& text, std::string& error) {
    return text.size() > LYRICS_MAX_TEXT &&
           !Fail(error, "the result would pass the editor's " + std::to_string(LYRICS_MAX_TEXT) +
                            " bytes");
}

bool Tidy(const CLyricsFile& file, std::string& out, std::string& error) {
    auto buffer = std::make_unique<char[]>(LYRICS_CAPACITY);
    std::copy(file.strText.begin(), file.strText.end(), buffer.get());
    buffer[file.strText.size()] = '\0';
    CleanLyrics(file.codePage, buffer.get());
    if (!RebuildLyrics(file.codePage, buffer.get(), TIME_FORMAT_HUNDREDTHS))
        return Fail(error, "the tidied text would pass the editor's " +
                               std::to_string(LYRICS_MAX_TEXT) + " bytes");
    out = buffer.get();
    return true;
}

bool Strip(bool bFractions, const CLyricsFile& file, std::string& out, std::string&) {
    out.resize(file.strText.size() + 1);
    const size_t n = (bFractions ? RemoveTagFractions
                                 : RemoveTimeTags)(file.codePage, file.strText.c_str(), out.data());
    out.resize(n);
    return true;
}

bool Shift(int64_t ms, const CLyricsFile& file, std::string& out, std::string& error) {
    ShiftTimeTags(file.codePage, file.strText, ms, out);
    return !TooLong(out, error);
}

int RunCheck(const SCliArgs& args) {
    CProgress progress(args.files.size());
    int status = EXIT_CLEAN;
    bool bFindings = false;
    std::string json = "[";
    for (size_t i = 0; i < args.files.size(); ++i) {
        const std::string& input = args.files[i];
        progress.Step(i, input);
        CLyricsFile file;
        std::string error;
        if (i > 0)
            json += ",";
        if (!LoadInput(args, input, file, error)) {
            PrintError(DisplayName(input), error);
            json += "\n{\"file\":" + JsonString(input) + ",\"error\":" + JsonString(error) + "}";
            status = EXIT_ERRORS;
            continue;
        }
        const std::vector<SFinding> findings = CheckLyricsFile(file);
        bFindings = bFindings || !findings.empty() || file.bCut;
        json += "\n{\"file\":" + JsonString(input) +
                ",\"codePage\":" + JsonString(EncodingName(file)) + ",\"findings\":[";
        std::string text;
        for (size_t k = 0; k < findings.size(); ++k) {
            const SFinding& f = findings[k];
            json += std::string(k > 0 ? "," : "") + "\n {\"line\":" + std::to_string(f.nLine) +
                    ",\"kind\":\"" + FindingKindName(f.kind) +
                    "\",\"message\":" + JsonString(f.strMessage) + "}";
            text += DisplayName(input) + (f.nLine > 0 ? ":" + std::to_string(f.nLine) : "") + ": " +
                    FindingKindName(f.kind) + ": " + f.strMessage + "\n";
        }
        json += "]}";
        if (!args.bJson && !WriteStdout(text, error)) {
            PrintError("standard output", error);
            return EXIT_ERRORS;
        }
    }
    std::string error;
    if (args.bJson && !WriteStdout(json + "\n]\n", error)) {
        PrintError("standard output", error);
        return EXIT_ERRORS;
    }
    return status != EXIT_CLEAN ? status : bFindings ? EXIT_FINDINGS : EXIT_CLEAN;
}

// What info tells of one file.
struct SFileInfo {
    SHeaderValues headers;
    size_t nLines = 0;
    size_t nTags = 0;
    uint32_t nFirst = 0, nLast = 0;
    std::string strAudio; // empty when none
    bool bAudioLength = false;
    uint32_t nAudioMs = 0;
    std::string strAudioError;
};

void Describe(const SCliArgs& args, const std::string& input, const CLyricsFile& file,
              SFileInfo& info) {
    const CCodePage& cp = file.codePage;
    const char* text = file.strText.c_str();
    const char* end = text + file.strText.size();
    ReadHeaderTags(cp, text, info.headers);
    for (const char* p = text; p < end; p = NextLine(cp, p))
        ++info.nLines;
    uint32_t time = 0;
    int32_t offset = 0;
    for (const char* p = text; (p = FindTimeTag(cp, p, end, &time, &offset)) != nullptr;) {
        info.nFirst = info.nTags == 0 ? time : std::min(info.nFirst, time);
        info.nLast = info.nTags == 0 ? time : std::max(info.nLast, time);
        ++info.nTags;
    }
    if (input != kStdStream) {
        if (file.type == LyricsFileType::Mpt)
            info.strAudio = input; // the lyrics sit in front of their own audio
        else
            FindCompanionAudio(input, info.strAudio);
    }
    if (args.bAudioLength && !info.strAudio.empty())
        info.bAudioLength = AudioFileLength(info.strAudio, info.nAudioMs, info.strAudioError);
}

std::string InfoText(const std::string& name, const CLyricsFile& file, const SFileInfo& info) {
    static constexpr const char* kLabels[] = {"title", "artist", "album", "by", "offset"};
    std::string out =
        name + "\n  code page: " + CodePageLabel(file.codePage, file.bBom, file.encoding) + "\n";
    for (int k = 0; k < 5; ++k)
        if (!info.headers.str[k].empty())
            out += std::string("  ") + kLabels[k] + ": " +
                   TextToUtf8(file.codePage, info.headers.str[k]) + "\n";
    out += "  lines: " + std::to_string(info.nLines) +
           "\n  time tags: " + std::to_string(info.nTags) + "\n";
    if (info.nTags > 0)
        out +=
            "  first: " + TimeTagText(info.nFirst) + "\n  last: " + TimeTagText(info.nLast) + "\n";
    out += "  audio: " + (info.strAudio.empty() ? std::string("none") : info.strAudio) + "\n";
    if (info.bAudioLength)
        out += "  audio length: " + TimeTagText(info.nAudioMs) + "\n";
    else if (!info.strAudioError.empty())
        out += "  audio length: unknown (" + info.strAudioError + ")\n";
    return out;
}

std::string InfoJson(const std::string& name, const CLyricsFile& file, const SFileInfo& info) {
    static constexpr const char* kKeys[] = {"ti", "ar", "al", "by", "offset"};
    std::string out = "{\"file\":" + JsonString(name) +
                      ",\"codePage\":" + JsonString(EncodingName(file)) +
                      ",\"bom\":" + (file.bBom ? "true" : "false") + ",\"headers\":{";
    for (int k = 0; k < 5; ++k)
        out += std::string(k > 0 ? "," : "") + "\"" + kKeys[k] +
               "\":" + JsonString(TextToUtf8(file.codePage, info.headers.str[k]));
    out += "},\"lines\":" + std::to_string(info.nLines) + ",\"tags\":" + std::to_string(info.nTags);
    if (info.nTags > 0)
        out += ",\"firstMs\":" + std::to_string(info.nFirst) +
               ",\"lastMs\":" + std::to_string(info.nLast);
    out +=
        ",\"audio\":" + (info.strAudio.empty() ? std::string("null") : JsonString(info.strAudio));
    if (info.bAudioLength)
        out += ",\"audioLengthMs\":" + std::to_string(info.nAudioMs);
    return out + "}";
}

int RunInfo(const SCliArgs& args) {
    CProgress progress(args.files.size());
    int status = EXIT_CLEAN;
    std::string out = args.bJson ? "[" : "";
    size_t nShown = 0;
    for (size_t i = 0; i < args.files.size(); ++i) {
        const std::string& input = args.files[i];
        progress.Step(i, input);
        CLyricsFile file;
        std::string error;
        if (!LoadInput(args, input, file, error)) {
            PrintError(DisplayName(input), error);
            status = EXIT_ERRORS;
            continue;
        }
        status = StatusAfter(status, file);
        SFileInfo info;
        Describe(args, input, file, info);
        if (args.bJson)
            out += std::string(nShown++ > 0 ? ",\n" : "\n") + InfoJson(input, file, info);
        else
            out += InfoText(DisplayName(input), file, info);
    }
    if (args.bJson)
        out += "\n]\n";
    std::string error;
    if (!WriteStdout(out, error)) {
        PrintError("standard output", error);
        return EXIT_ERRORS;
    }
    return status;
}

} // namespace

int RunCliCommand(const SCliArgs& args) {
    using namespace std::placeholders;
    switch (args.command) {
    case CliCommand::Convert:
        return RunConvert(args);
    case CliCommand::Check:
        return RunCheck(args);
    case CliCommand::Tidy:
        return RunTextEdit(args, Tidy);
    case CliCommand::Shift:
        return RunTextEdit(args, std::bind(Shift, args.nShiftMs, _1, _2, _3));
    case CliCommand::Strip:
        return RunTextEdit(args, std::bind(Strip, args.bFractions, _1, _2, _3));
    case CliCommand::Info:
        return RunInfo(args);
    case CliCommand::None:
        break;
    }
    return EXIT_ERRORS;
}
