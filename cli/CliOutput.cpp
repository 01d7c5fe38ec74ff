#include "cli/CliOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "doc/CodePageDetect.h"
#include "doc/LyricsFile.h"

void PrintError(std::string_view name, std::string_view reason) {
    std::fprintf(stderr, "versewright-cli: %.*s: %.*s\n", static_cast<int>(name.size()),
                 name.data(), static_cast<int>(reason.size()), reason.data());
}

std::string JsonString(std::string_view s) {
    std::string text(s);
    if (!IsStrictUtf8(text)) {
        CCodePage latin1;
        CCodePage::FromName("ISO-8859-1", latin1);
        text = TextToUtf8(latin1, s);
    }
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

bool WriteStdout(std::string_view bytes, std::string& error) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

CProgress::CProgress(size_t nTotal) : m_nTotal(nTotal), m_bTerminal(isatty(STDERR_FILENO) != 0) {}

CProgress::~CProgress() {
    if (m_bShown)
        std::fputs("\r\x1b[K", stderr);
}

void CProgress::Step(size_t nDone, std::string_view name) {
    using namespace std::chrono_literals;
    if (!m_bTerminal || m_nTotal < 2)
        return;
    const Clock::time_point now = Clock::now();
    if (now - m_start < 1s || (m_bShown && now - m_last < 100ms))
        return;
    m_bShown = true;
    m_last = now;
    std::fprintf(stderr, "\r\x1b[K%zu/%zu %.*s", nDone, m_nTotal, static_cast<int>(name.size()),
                 name.data());
    std::fflush(stderr);
}
