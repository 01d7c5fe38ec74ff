#pragma once
// A media backend that writes every call into a shared log and answers with scripted results,
// so tests can show which calls each state of the player sends.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "player/MediaBackend.h"
#include "player/MediaPlayer.h"

struct CRecordingScript {
    std::vector<std::string> log;    // "<instance>:<call>"
    std::map<std::string, int> fail; // call name -> status to return instead of 0
    double durationSeconds = 0.0;
    double positionSeconds = 0.0;
    int nInstances = 0;
    std::u16string lastPath;
    double lastSeekSeconds = -1.0;

    // Installs a factory that makes recording backends writing into this script.
    void Install();
    // The log without instance prefixes, for single-player tests.
    std::vector<std::string> Calls() const;
    void Clear() { log.clear(); }
};

class CRecordingBackend : public IMediaBackend {
public:
    CRecordingBackend(CRecordingScript& script, int nId) : m_script(script), m_nId(nId) {}
    ~CRecordingBackend() override { Note("~"); }

    int Create() override { return Note("Create"); }
    int RenderFile(const char16_t* path) override {
        m_script.lastPath = path;
        return Note("RenderFile");
    }
    int Acquire(MediaInterface which) override { return Note("Acquire " + Name(which)); }
    void Release(MediaInterface which) override { Note("Release " + Name(which)); }
    int Run() override { return Note("Run"); }
    int Pause() override { return Note("Pause"); }
    int Stop() override { return Note("Stop"); }
    int Rewind() override {
        m_script.positionSeconds = 0.0;
        return Note("Rewind");
    }
    int GetDuration(double* pSeconds) override {
        *pSeconds = m_script.durationSeconds;
        return Note("GetDuration");
    }
    int GetPosition(double* pSeconds) override {
        *pSeconds = m_script.positionSeconds;
        return Note("GetPosition");
    }
    int SetPosition(double seconds) override {
        m_script.positionSeconds = seconds;
        m_script.lastSeekSeconds = seconds;
        return Note("SetPosition " + std::to_string(seconds));
    }
    int SetVolume(int32_t volume) override { return Note("SetVolume " + std::to_string(volume)); }

    static std::string Name(MediaInterface which) {
        switch (which) {
        case MediaInterface::Graph:
            return "Graph";
        case MediaInterface::Control:
            return "Control";
        case MediaInterface::Seeking:
            return "Seeking";
        case MediaInterface::Position:
            return "Position";
        case MediaInterface::Audio:
            return "Audio";
        }
        return "?";
    }

private:
    int Note(const std::string& call) {
        m_script.log.push_back(std::to_string(m_nId) + ":" + call);
        const auto it = m_script.fail.find(call);
        return it == m_script.fail.end() ? 0 : it->second;
    }

    CRecordingScript& m_script;
    int m_nId;
};

inline void CRecordingScript::Install() {
    MediaSetBackendFactory([this]() -> std::unique_ptr<IMediaBackend> {
        return std::make_unique<CRecordingBackend>(*this, ++nInstances);
    });
}

inline std::vector<std::string> CRecordingScript::Calls() const {
    std::vector<std::string> out;
    for (const std::string& entry : log)
        out.push_back(entry.substr(entry.find(':') + 1));
    return out;
}
