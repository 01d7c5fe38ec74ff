#include "doc/LyricsCheck.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string_view>

#include "doc/HeaderTags.h"
#include "doc/LrcText.h"
#include "doc/LyrFormat.h"
#include "doc/MptFormat.h"

namespace {

// The editor's line commands read this much of a line.
constexpr size_t kLineRead = 256;

constexpr const char* kHeaderNames[] = {"", "title", "artist", "album", "editor", "offset"};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Seconds written in a time tag (digits after the colon), or 0 when there are none.
uint64_t WrittenSeconds(const char* afterBracket, const char* close) {
    const char* p = afterBracket;
    while (p < close && *p != ':')
        ++p;
    uint64_t n = 0;
    for (++p; p < close && IsDigit(*p) && n < 1000000; ++p)
        n = n * 10 + static_cast<uint64_t>(*p - '0');
    return n;
}

class CChecker {
public:
    CChecker(const CCodePage& cp, std::vector<SFinding>& out) : m_cp(cp), m_out(out) {}

    void CheckLine(size_t nLine, std::string_view line);
    // Timed lines in file order with their number of tags, for placing format limits.
    const std::vector<std::pair<size_t, size_t>>& TimedLines() const { return m_timedLines; }

private:
    void Add(size_t nLine, FindingKind kind, std::string message) {
        m_out.push_back({nLine, kind, std::move(message)});
    }
    std::string Quote(const char* from, const char* to) const {
        return TextToUtf8(m_cp, std::string_view(from, static_cast<size_t>(to - from)));
    }
    void CheckHeader(size_t nLine, HeaderKind kind, const char* bracket, const char* close);
    void CheckTimes(size_t nLine, const std::vector<uint32_t>& times);

    const CCodePage& m_cp;
    std::vector<SFinding>& m_out;
    std::map<uint32_t, size_t> m_timeLines; // each time and the line it was first seen on
    size_t m_headerLines[6] = {};           // line of the first header of each kind
    size_t m_nPrevLine = 0;                 // last timed line and its earliest time
    uint32_t m_nPrevTime = 0;
    std::vector<std::pair<size_t, size_t>> m_timedLines;
};

void CChecker::CheckLine(size_t nLine, std::string_view view) {
    if (view.size() > kLineRead)
        Add(nLine, FindingKind::OverLimit,
            "the line is " + std::to_string(view.size()) +
                " bytes; the editor's line commands look at its first 256 only");
    const std::string line(view); // the grammar reads zero-terminated text
    const char* const begin = line.c_str();
    const char* const end = begin + line.size();
    std::vector<uint32_t> times;

    // The run of bracket groups the line starts with.
    const char* p = begin;
    while (p < end && *p == '[') {
        const char* close = ScanForChar(m_cp, p + 1, end, ']');
        const HeaderKind kind = GetHeaderKind(p);
        if (close == nullptr) {
            if (kind != HEADER_NONE || IsDigit(p[1]) || p[1] == ':')
                Add(nLine, FindingKind::MalformedTag, Quote(p, end) + " has no ']' on its line");
            break;
        }
        uint32_t time = 0;
        if (kind != HEADER_NONE) {
            CheckHeader(nLine, kind, p, close);
        } else if (ParseTimeTag(m_cp, p + 1, close, &time)) {
            times.push_back(time);
            if (const uint64_t seconds = WrittenSeconds(p + 1, close); seconds >= 60)
                Add(nLine, FindingKind::MalformedTag,
                    Quote(p, close) + " has " + std::to_string(seconds) + " seconds; it reads as " +
                        TimeTagText(time));
        } else if (IsTimeTagShape(m_cp, p + 1, close) || IsDigit(p[1])) {
            Add(nLine, FindingKind::MalformedTag, Quote(p, close) + " is not a valid time tag");
        }
        p = close;
    }

    // Time tags inside the lyric are text here, but opening the file splits the line there.
    while (p < end && (p = ScanForChar(m_cp, p, end, '[')) != nullptr) {
        const char* close = ScanForChar(m_cp, p, end, ']');
        uint32_t time = 0;
        if (close != nullptr && ParseTimeTag(m_cp, p, close, &time))
            Add(nLine, FindingKind::MidLineTag,
                Quote(p - 1, close) +
                    " stands inside the lyric; opening the file moves it to a line of its own");
    }
    CheckTimes(nLine, times);
}

void CChecker::CheckHeader(size_t nLine, HeaderKind kind, const char* bracket, const char* close) {
    const char* value = bracket + (kind == HEADER_OFFSET ? 8 : 4);
    const std::string name = kHeaderNames[kind];
    const bool bValid = kind != HEADER_OFFSET || IsOffsetNumber(value);
    if (!bValid)
        Add(nLine, FindingKind::BadOffset,
            "offset value '" + Quote(value, close - 1) +
                "' is not a whole number of milliseconds; it is ignored");
    if (static_cast<size_t>(close - 1 - value) > HEADER_VALUE_MAX)
        Add(nLine, FindingKind::OverLimit,
            "the " + name + " is " + std::to_string(close - 1 - value) +
                " bytes; the header dialog keeps its first 255");
    if (!bValid)
        return;
    if (m_headerLines[kind] != 0)
        Add(nLine, FindingKind::DuplicateHeader,
            "a second " + name + " header; " +
                (kind == HEADER_OFFSET ? "only the one on line "
                                       : "tidy keeps only the one on line ") +
                std::to_string(m_headerLines[kind]));
    else
        m_headerLines[kind] = nLine;
}

void CChecker::CheckTimes(size_t nLine, const std::vector<uint32_t>& times) {
    if (times.empty())
        return;
    m_timedLines.emplace_back(nLine, times.size());
    for (size_t i = 0; i < times.size(); ++i) {
        if (std::find(times.begin(), times.begin() + static_cast<ptrdiff_t>(i), times[i]) !=
            times.begin() + static_cast<ptrdiff_t>(i)) {
            Add(nLine, FindingKind::DuplicateTag,
                "the time " + TimeTagText(times[i]) + " is on this line twice");
            continue;
        }
        const auto [it, bNew] = m_timeLines.emplace(times[i], nLine);
        if (!bNew)
            Add(nLine, FindingKind::DuplicateTag,
                "the time " + TimeTagText(times[i]) + " is on line " + std::to_string(it->second) +
                    " too");
    }
    const uint32_t earliest = *std::min_element(times.begin(), times.end());
    if (m_nPrevLine != 0 && earliest < m_nPrevTime)
        Add(nLine, FindingKind::OutOfOrder,
            "starts at " + TimeTagText(earliest) + ", before " + TimeTagText(m_nPrevTime) +
                " on line " + std::to_string(m_nPrevLine));
    m_nPrevLine = nLine;
    m_nPrevTime = earliest;
}

size_t CountTags(const CCodePage& cp, const char* text) {
    size_t n = 0;
    LyricLine line;
    for (const char* p = text; NextLyricLine(cp, &p, &line);)
        n += line.nTags;
    return n;
}

// The first timed line whose tags pass nKept, by the tag counts of the lines.
size_t FirstLineLeftOut(const std::vector<std::pair<size_t, size_t>>& timedLines, size_t nKept) {
    size_t nSum = 0;
    for (const auto& [nLine, nTags] : timedLines)
        if ((nSum += nTags) > nKept)
            return nLine;
    return 0;
}

// Where the text the window would write as LYR or MPT loses lines to the formats' limits.
void CheckFormatLimits(const CLyricsFile& file, const CChecker& checker,
                       std::vector<SFinding>& out) {
    const CCodePage& cp = file.codePage;
    auto prepared = std::make_unique<char[]>(LYRICS_CAPACITY);
    PrepareExportText(cp, file.strText, prepared.get());
    const size_t nTags = CountTags(cp, prepared.get());
    if (nTags == 0)
        return;
    auto image = std::make_unique<uint8_t[]>(std::max(LYR_MAX_IMAGE, MPT_HEADER_CAPACITY));
    BuildLyr(cp, prepared.get(), image.get());
    const size_t nLyr = static_cast<size_t>(image[534] << 8 | image[535]);
    BuildMptHeader(cp, prepared.get(), "", 0, image.get());
    const size_t nMpt = static_cast<size_t>(image[13] | image[14] << 8);
    const struct {
        size_t nKept;
        const char* pszFormat;
        const char* pszLimits;
    } kFormats[] = {
        {nLyr, "LYR", "2048 time tags and 28648 bytes of table and text"},
        {nMpt, "MPT", "2048 time tags and a header of 65536 bytes"},
    };
    for (const auto& format : kFormats) {
        if (format.nKept >= nTags)
            continue;
        out.push_back({FirstLineLeftOut(checker.TimedLines(), format.nKept), FindingKind::OverLimit,
                       std::string("from this line on the text does not fit a ") +
                           format.pszFormat + " file (" + std::to_string(format.nKept) + " of " +
                           std::to_string(nTags) + " time tags kept; at most " + format.pszLimits +
                           ")"});
    }
}

} // namespace

std::string TimeTagText(uint32_t ms) {
    char tag[TIME_TAG_BUFFER];
    const size_t n = FormatTimeTag(tag, ms, TIME_FORMAT_HUNDREDTHS);
    return std::string(tag + 1, n - 2);
}

const char* FindingKindName(FindingKind kind) {
    switch (kind) {
    case FindingKind::MalformedTag:
        return "malformed-tag";
    case FindingKind::MidLineTag:
        return "mid-line-tag";
    case FindingKind::OutOfOrder:
        return "out-of-order";
    case FindingKind::DuplicateTag:
        return "duplicate-tag";
    case FindingKind::DuplicateHeader:
        return "duplicate-header";
    case FindingKind::BadOffset:
        return "bad-offset";
    case FindingKind::UnknownCodePage:
        return "unknown-code-page";
    case FindingKind::OverLimit:
        return "over-limit";
    }
    return "";
}

std::vector<SFinding> CheckLyricsFile(const CLyricsFile& file) {
    std::vector<SFinding> findings;
    if (!file.bCodePageKnown)
        findings.push_back({0, FindingKind::UnknownCodePage,
                            "the bytes name no code page; read as " + file.codePage.Name()});
    CChecker checker(file.codePage, findings);
    // Lines as the file stores them; a binary file's lines are those of its LRC text.
    const std::string_view text =
        file.type == LyricsFileType::PlainText ? std::string_view(file.strRaw) : file.strText;
    size_t nLine = 0;
    for (size_t at = 0; at < text.size();) {
        size_t eol = text.find('\n', at);
        const size_t next = eol == std::string_view::npos ? text.size() : eol + 1;
        eol = eol == std::string_view::npos ? text.size() : eol;
        if (eol > at && text[eol - 1] == '\r')
            --eol;
        checker.CheckLine(++nLine, text.substr(at, eol - at));
        at = next;
    }
    CheckFormatLimits(file, checker, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const SFinding& a, const SFinding& b) { return a.nLine < b.nLine; });
    return findings;
}
