// The GStreamer media backend: one playbin per opened file, audio only.
#include "player/GstMediaBackend.h"

#include <gst/audio/streamvolume.h>
#include <gst/gst.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>

#include "player/GstFileRegionSource.h"
#include "player/Mp3Length.h"

namespace {

constexpr int kOk = 0;
constexpr int kFailed = -1;
// How long an open may wait for the file to be ready to play.
constexpr GstClockTime kPrerollTimeout = 5 * GST_SECOND;
// playbin's flags for video and subtitles; everything else of the defaults stays.
constexpr guint kPlayFlagVideoAndText = 0x1 | 0x4;
// Playing without the position moving for this long is a stalled stream.
constexpr auto kStallTimeout = std::chrono::seconds(3);
// How far past the known length a seek lets the stream play.
constexpr gint64 kStopBeyondEnd = 24 * 3600 * GST_SECOND;
// An end this close to the known length confirms it.
constexpr gint64 kSameEnd = 10 * GST_MSECOND;

std::string UnreadableReason(const std::string& path);

class CGstMediaBackend : public IMediaBackend {
public:
    explicit CGstMediaBackend(const char* audioSink)
        : m_bDefaultSink(audioSink == nullptr), m_strSink(audioSink ? audioSink : "") {}
    ~CGstMediaBackend() override { Teardown(); }

    int Create() override;
    int RenderFile(const char16_t* path) override;
    int Acquire(MediaInterface which) override;
    void Release(MediaInterface which) override;
    int Run() override;
    int Pause() override;
    int Stop() override;
    int Rewind() override { return Seek(0); }
    int GetDuration(double* pSeconds) override;
    int GetPosition(double* pSeconds) override;
    int SetPosition(double seconds) override;
    int SetVolume(int32_t volume) override;
    MediaStatus GetStatus(std::string* pWhy) override;
    int SetRate(double rate) override;

    GstElement* Pipeline() const { return m_pPipeline; }

private:
    GstElement* MakeAudioSink() const;
    bool Preroll();
    int OpenFailed(const std::string& strWhy);
    void DrainBus();
    bool SeekSettled();
    void Fail(const std::string& strWhy);
    bool Recover();
    void WatchForStall(gint64 position);
    int SetState(GstState state);
    int Seek(gint64 target);
    gint64 LengthNs();
    gint64 KnownLengthNs();
    void Teardown();

    static GstBusSyncReply OnBusSync(GstBus* bus, GstMessage* message, gpointer self);
    static void OnSourceSetup(GstElement* playbin, GstElement* source, gpointer self);
    static void OnElementAdded(GstBin* bin, GstBin* sub, GstElement* element, gpointer self);

    const bool m_bDefaultSink;
    const std::string m_strSink;
    GstElement* m_pPipeline = nullptr;
    GstBus* m_pBus = nullptr;
    std::unique_ptr<CGstFileRegionSource> m_pRegion; // the stream of an MPT or AIFF file
    std::atomic<bool> m_bMpegParser{false};          // an MPEG audio parser was plugged

    double m_dScannedLength = -1.0; // from the frame headers of an MPEG audio file
    gint64 m_nDuration = -1;        // GStreamer's, refreshed on DURATION_CHANGED
    bool m_bDurationDirty = true;

    bool m_bRunning = false;
    bool m_bSeekPending = false;        // until the flushing seek has prerolled again
    bool m_bHoldTarget = false;         // paused since the seek: the pipeline stands at the target
    bool m_bPrerolledSinceSeek = false; // an ASYNC_DONE came after the last seek
    bool m_bBelowTarget = false;        // playing has not passed the seek target yet
    bool m_bAtEnd = false;              // played to the end
    gint64 m_nRealEnd = -1;             // where the stream really ended, once it has
    gint64 m_nSeekTarget = 0;
    gint64 m_nSeekStop = -1;
    gint64 m_nLastPosition = 0;

    bool m_bFailed = false; // an error or a stall stopped playback at m_nLastPosition
    std::string m_strError;
    std::chrono::steady_clock::time_point m_lastMove; // when the position last moved
    double m_dRate = 1.0;                             // every seek carries it
    bool m_bScaleTempo = false;                       // the pitch is kept when the speed changes
};

GstElement* CGstMediaBackend::MakeAudioSink() const {
    GstElement* sink =
        gst_element_factory_make(m_bDefaultSink ? "autoaudiosink" : m_strSink.c_str(), nullptr);
    if (sink && !m_bDefaultSink && m_strSink == "fakeaudiosink")
        g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

int CGstMediaBackend::Create() {
    if (!InitGStreamer())
        return kFailed;
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin)
        return kFailed;
    m_pPipeline = GST_ELEMENT(gst_object_ref_sink(playbin));
    GstElement* sink = MakeAudioSink();
    if (!sink) {
        Teardown();
        return kFailed;
    }
    guint flags = 0;
    g_object_get(m_pPipeline, "flags", &flags, nullptr);
    g_object_set(m_pPipeline, "flags", flags & ~kPlayFlagVideoAndText, "audio-sink", sink, nullptr);
    // A slower or faster song keeps its pitch.
    if (GstElement* tempo = gst_element_factory_make("scaletempo", nullptr)) {
        g_object_set(m_pPipeline, "audio-filter", tempo, nullptr);
        m_bScaleTempo = true;
    }
    g_signal_connect(m_pPipeline, "source-setup", G_CALLBACK(OnSourceSetup), this);
    g_signal_connect(m_pPipeline, "deep-element-added", G_CALLBACK(OnElementAdded), this);
    m_pBus = gst_element_get_bus(m_pPipeline);
    gst_bus_set_sync_handler(m_pBus, OnBusSync, nullptr, nullptr);
    return kOk;
}

int CGstMediaBackend::RenderFile(const char16_t* path) {
    if (!m_pPipeline)
        return kFailed;
    // The name's bytes are its UTF-8, as the rest of the program spells them; the locale's
    // code page plays no part.
    gchar* utf8 =
        g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(path), -1, nullptr, nullptr, nullptr);
    const std::string strPath = utf8 ? utf8 : "";
    g_free(utf8);
    if (const std::string strWhy = UnreadableReason(strPath); !strWhy.empty())
        return OpenFailed(strWhy);

    const int64_t nAudioOffset = MptAudioOffset(strPath);
    if (nAudioOffset < 0)
        return OpenFailed("the file holds no audio");
    if (nAudioOffset > 0) {
        m_pRegion = std::make_unique<CGstFileRegionSource>();
        if (!m_pRegion->Open(strPath, uint64_t(nAudioOffset)))
            return OpenFailed(g_strerror(errno));
        g_object_set(m_pPipeline, "uri", "appsrc://", nullptr);
    } else {
        gchar* uri = gst_filename_to_uri(strPath.c_str(), nullptr);
        if (!uri)
            return OpenFailed("the file name cannot be read");
        g_object_set(m_pPipeline, "uri", uri, nullptr);
        g_free(uri);
    }
    if (!Preroll())
        return kFailed; // Preroll said why

    double seconds = 0.0;
    if (m_bMpegParser && Mp3ScanLength(strPath, uint64_t(nAudioOffset), seconds))
        m_dScannedLength = seconds;
    return kOk;
}

// Pauses the new pipeline and waits until it is ready to play; an error, a time-out or a file
// without audio fail.
bool CGstMediaBackend::Preroll() {
    const GstStateChangeReturn ret = gst_element_set_state(m_pPipeline, GST_STATE_PAUSED);
    if (ret == GST_STATE_CHANGE_FAILURE) {
        OpenFailed("the media framework cannot play the file");
        return false;
    }
    if (ret == GST_STATE_CHANGE_ASYNC) {
        GstMessage* message = gst_bus_timed_pop_filtered(
            m_pBus, kPrerollTimeout, GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE));
        std::string strWhy = message ? "" : "the file did not become ready in time";
        if (message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
            GError* error = nullptr;
            gst_message_parse_error(message, &error, nullptr);
            strWhy = error && error->message ? error->message : "the file cannot be played";
            g_clear_error(&error);
        }
        if (message)
            gst_message_unref(message);
        if (!strWhy.empty()) {
            OpenFailed(strWhy);
            return false;
        }
    }
    gint nAudio = 0;
    g_object_get(m_pPipeline, "n-audio", &nAudio, nullptr);
    if (nAudio > 0)
        return true;
    OpenFailed("the file holds no audio");
    return false;
}

// Records why an open failed, for GetStatus; kFailed.
int CGstMediaBackend::OpenFailed(const std::string& strWhy) {
    m_bFailed = true;
    m_strError = strWhy;
    return kFailed;
}

// Why the file at path cannot be read as a song, or "" when it can.
std::string UnreadableReason(const std::string& path) {
    struct stat st = {};
    if (path.empty() || stat(path.c_str(), &st) != 0)
        return g_strerror(path.empty() ? ENOENT : errno);
    if (!S_ISREG(st.st_mode))
        return "it is not a file";
    if (access(path.c_str(), R_OK) != 0)
        return g_strerror(errno);
    return "";
}

int CGstMediaBackend::Acquire(MediaInterface which) {
    if (!m_pPipeline)
        return kFailed;
    if (which == MediaInterface::Audio && !GST_IS_STREAM_VOLUME(m_pPipeline))
        return kFailed;
    return kOk;
}

void CGstMediaBackend::Release(MediaInterface which) {
    if (which == MediaInterface::Graph)
        Teardown();
}

void CGstMediaBackend::Teardown() {
    if (m_pPipeline) {
        gst_element_set_state(m_pPipeline, GST_STATE_NULL);
        g_signal_handlers_disconnect_by_data(m_pPipeline, this);
    }
    if (m_pBus) {
        gst_bus_set_sync_handler(m_pBus, nullptr, nullptr, nullptr);
        gst_bus_set_flushing(m_pBus, TRUE); // drops whatever is queued
        gst_object_unref(m_pBus);
        m_pBus = nullptr;
    }
    if (m_pPipeline) {
        gst_object_unref(m_pPipeline);
        m_pPipeline = nullptr;
    }
    m_pRegion.reset();
}

// Called on the posting thread: only what the backend looks at is queued, so the bus never
// fills up however long a song plays without anyone asking.
GstBusSyncReply CGstMediaBackend::OnBusSync(GstBus*, GstMessage* message, gpointer) {
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR:
    case GST_MESSAGE_ASYNC_DONE:
    case GST_MESSAGE_DURATION_CHANGED:
    case GST_MESSAGE_EOS:
        return GST_BUS_PASS;
    default:
        return GST_BUS_DROP;
    }
}

void CGstMediaBackend::OnSourceSetup(GstElement*, GstElement* source, gpointer self) {
    auto* pThis = static_cast<CGstMediaBackend*>(self);
    if (pThis->m_pRegion && g_str_has_prefix(G_OBJECT_TYPE_NAME(source), "GstAppSrc"))
        pThis->m_pRegion->Attach(source);
}

void CGstMediaBackend::OnElementAdded(GstBin*, GstBin*, GstElement* element, gpointer self) {
    GstElementFactory* factory = gst_element_get_factory(element);
    if (factory && g_str_equal(GST_OBJECT_NAME(factory), "mpegaudioparse"))
        static_cast<CGstMediaBackend*>(self)->m_bMpegParser = true;
}

void CGstMediaBackend::DrainBus() {
    if (!m_pBus)
        return;
    while (GstMessage* message = gst_bus_pop(m_pBus)) {
        switch (GST_MESSAGE_TYPE(message)) {
        case GST_MESSAGE_ASYNC_DONE:
            m_bPrerolledSinceSeek = true;
            break;
        case GST_MESSAGE_DURATION_CHANGED:
            m_bDurationDirty = true;
            break;
        case GST_MESSAGE_EOS:
            if (!m_bAtEnd && !m_bFailed) {
                m_bAtEnd = true;
                // Where it really ended, whatever a header claimed; the length follows it.
                // An empty segment (a seek to the end) reads its stop: then it ended there.
                gint64 position = -1;
                if (!gst_element_query_position(m_pPipeline, GST_FORMAT_TIME, &position) ||
                    position <= 0 || (m_nSeekStop >= 0 && position >= m_nSeekStop))
                    position = m_nLastPosition;
                if (m_nSeekTarget > position && m_bBelowTarget)
                    position = m_nSeekTarget;
                // Within a hair of the known length the length stands, to the millisecond.
                const gint64 length = KnownLengthNs();
                if (length >= 0 && std::abs(position - length) <= kSameEnd)
                    position = length;
                m_nRealEnd = position;
                m_nLastPosition = position;
            }
            break;
        case GST_MESSAGE_ERROR:
            if (!m_bFailed) {
                GError* error = nullptr;
                gst_message_parse_error(message, &error, nullptr);
                Fail(error && error->message ? error->message : "playback error");
                g_clear_error(&error);
            }
            break;
        default:
            break;
        }
        gst_message_unref(message);
    }
}

// A seek has settled once the pipeline has prerolled again and no other preroll is pending:
// a late preroll of an earlier seek does not count while the last one is still under way.
bool CGstMediaBackend::SeekSettled() {
    if (m_bSeekPending && m_bPrerolledSinceSeek &&
        gst_element_get_state(m_pPipeline, nullptr, nullptr, 0) != GST_STATE_CHANGE_ASYNC)
        m_bSeekPending = false;
    return !m_bSeekPending;
}

int CGstMediaBackend::SetState(GstState state) {
    if (!m_pPipeline)
        return kFailed;
    DrainBus();
    return gst_element_set_state(m_pPipeline, state) == GST_STATE_CHANGE_FAILURE ? kFailed : kOk;
}

int CGstMediaBackend::Run() {
    DrainBus();
    if (m_bFailed && !Recover())
        return kFailed;
    const int status = SetState(GST_STATE_PLAYING);
    if (MediaSucceeded(status)) {
        m_bRunning = true;
        m_bHoldTarget = false;
        m_lastMove = std::chrono::steady_clock::now();
    }
    return status;
}

int CGstMediaBackend::Pause() {
    m_bRunning = false;
    if (m_bFailed)
        return kOk; // already standing; Run sets the pipeline up again
    return SetState(GST_STATE_PAUSED);
}

// Playback stops where it was last heard; the pipeline goes down so nothing plays on.
void CGstMediaBackend::Fail(const std::string& strWhy) {
    m_bFailed = true;
    m_strError = strWhy;
    m_bRunning = false;
    gst_element_set_state(m_pPipeline, GST_STATE_READY);
}

// Sets a failed pipeline up again and cues it at the last good position.
bool CGstMediaBackend::Recover() {
    gst_element_set_state(m_pPipeline, GST_STATE_READY);
    gst_bus_set_flushing(m_pBus, TRUE); // what the failed run left queued goes
    gst_bus_set_flushing(m_pBus, FALSE);
    if (!Preroll())
        return false;
    m_bFailed = false;
    m_strError.clear();
    return MediaSucceeded(Seek(m_nLastPosition));
}

// A running song whose position stands still for too long, not at its end, has stalled.
void CGstMediaBackend::WatchForStall(gint64 position) {
    const auto now = std::chrono::steady_clock::now();
    if (!m_bRunning || position != m_nLastPosition) {
        m_lastMove = now;
        return;
    }
    if (now - m_lastMove >= kStallTimeout)
        Fail("the audio stream stopped delivering");
}

// The player rewinds and cues right after a stop, so stopping is pausing here: the pipeline
// keeps its file and its preroll.
int CGstMediaBackend::Stop() {
    return Pause();
}

int CGstMediaBackend::GetDuration(double* pSeconds) {
    *pSeconds = 0.0;
    if (!m_pPipeline)
        return kFailed;
    DrainBus();
    if (m_nRealEnd < 0 && m_dScannedLength >= 0.0) {
        *pSeconds = m_dScannedLength;
        return kOk;
    }
    const gint64 length = KnownLengthNs();
    if (length < 0)
        return kFailed;
    *pSeconds = double(length) / GST_SECOND;
    return kOk;
}

// The length as known now, without reading the bus (which may be what asks): where playback
// really ended, else what the file's frames add up to, else the framework's; -1 when unknown.
gint64 CGstMediaBackend::KnownLengthNs() {
    if (m_nRealEnd >= 0)
        return m_nRealEnd;
    if (m_dScannedLength >= 0.0)
        return gint64(m_dScannedLength * GST_SECOND);
    if (m_bDurationDirty) {
        gint64 duration = -1;
        if (gst_element_query_duration(m_pPipeline, GST_FORMAT_TIME, &duration) && duration >= 0) {
            m_nDuration = duration;
            m_bDurationDirty = false;
        }
    }
    return m_nDuration;
}

int CGstMediaBackend::GetPosition(double* pSeconds) {
    *pSeconds = 0.0;
    if (!m_pPipeline)
        return kFailed;
    DrainBus();
    int status = kOk;
    if (m_bFailed || m_bAtEnd) {
        // stands where playback stopped
    } else if (!SeekSettled() || m_bHoldTarget) {
        m_nLastPosition = m_nSeekTarget;
    } else {
        gint64 position = -1;
        if (gst_element_query_position(m_pPipeline, GST_FORMAT_TIME, &position) && position >= 0) {
            // Some parsers land a hair before the target; do not read back less than asked.
            if (m_bBelowTarget && position < m_nSeekTarget)
                position = m_nSeekTarget;
            else
                m_bBelowTarget = false;
            WatchForStall(position);
            if (!m_bFailed)
                m_nLastPosition = position;
        } else {
            status = kFailed;
            WatchForStall(m_nLastPosition);
        }
    }
    *pSeconds = double(m_nLastPosition) / GST_SECOND;
    return status;
}

int CGstMediaBackend::SetPosition(double seconds) {
    const double ns = seconds * GST_SECOND;
    return Seek(ns > 0.0 ? gint64(ns + 0.5) : 0);
}

// The length in nanoseconds, -1 when unknown.
gint64 CGstMediaBackend::LengthNs() {
    double seconds = 0.0;
    return MediaSucceeded(GetDuration(&seconds)) ? gint64(seconds * GST_SECOND) : -1;
}

// A seek past the end stands at the end. The stream plays on to its real end, whatever length
// was known at the seek.
int CGstMediaBackend::Seek(gint64 target) {
    if (!m_pPipeline)
        return kFailed;
    DrainBus();
    const gint64 length = LengthNs();
    if (length >= 0)
        target = std::min(target, length);
    if (m_bFailed) { // the pipeline is down: Run cues it here
        m_nLastPosition = target;
        return kOk;
    }
    // An explicit stop (some parsers end playback at once without one), far beyond any end
    // the stream can have, so a length that later proves short does not end it early.
    const gint64 stop = length >= 0 ? length + kStopBeyondEnd : -1;
    GstEvent* seek = gst_event_new_seek(
        m_dRate, GST_FORMAT_TIME, GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
        GST_SEEK_TYPE_SET, target, stop >= 0 ? GST_SEEK_TYPE_SET : GST_SEEK_TYPE_NONE, stop);
    if (!gst_element_send_event(m_pPipeline, seek))
        return kFailed;
    m_nSeekStop = stop;
    m_lastMove = std::chrono::steady_clock::now();
    m_bPrerolledSinceSeek = false;
    m_bBelowTarget = true;
    m_bAtEnd = false;
    m_nSeekTarget = target;
    m_bSeekPending = true;
    m_bHoldTarget = !m_bRunning;
    return kOk;
}

MediaStatus CGstMediaBackend::GetStatus(std::string* pWhy) {
    DrainBus();
    if (m_bFailed) {
        if (pWhy)
            *pWhy = m_strError;
        return MediaStatus::Failed;
    }
    return m_bAtEnd ? MediaStatus::Ended : MediaStatus::Ok;
}

int CGstMediaBackend::SetVolume(int32_t volume) {
    if (!m_pPipeline || !GST_IS_STREAM_VOLUME(m_pPipeline))
        return kFailed;
    gst_stream_volume_set_volume(GST_STREAM_VOLUME(m_pPipeline), GST_STREAM_VOLUME_FORMAT_DB,
                                 volume / 100.0);
    return kOk;
}

// A new speed is a seek to where playback stands, at that speed.
int CGstMediaBackend::SetRate(double rate) {
    if (!m_pPipeline || !(rate > 0.0) || (rate != 1.0 && !m_bScaleTempo))
        return kFailed;
    if (rate == m_dRate)
        return kOk;
    double seconds = 0.0;
    GetPosition(&seconds);
    const double previous = m_dRate;
    m_dRate = rate;
    const int status = Seek(gint64(seconds * GST_SECOND + 0.5));
    if (!MediaSucceeded(status))
        m_dRate = previous;
    return status;
}

} // namespace

bool InitGStreamer() {
    static std::once_flag s_once;
    static bool s_bReady = false;
    std::call_once(s_once, [] {
        s_bReady = gst_init_check(nullptr, nullptr, nullptr);
        // GStreamer 1.22's own AIFF parser now and then spins or hangs when a pipeline stops
        // while it streams (its adapter goes under it), pulling or pushing alike; the libav
        // AIFF demuxer plays the same files and is taken instead wherever it is installed.
        GstRegistry* registry = s_bReady ? gst_registry_get() : nullptr;
        GstPluginFeature* libav =
            registry ? gst_registry_lookup_feature(registry, "avdemux_aiff") : nullptr;
        if (GstPluginFeature* own =
                libav ? gst_registry_lookup_feature(registry, "aiffparse") : nullptr) {
            gst_plugin_feature_set_rank(own, GST_RANK_NONE);
            gst_object_unref(own);
        }
        if (libav)
            gst_object_unref(libav);
    });
    return s_bReady;
}

std::unique_ptr<IMediaBackend> CreateGstMediaBackend(const char* audioSink) {
    if (!InitGStreamer())
        return nullptr;
    return std::make_unique<CGstMediaBackend>(audioSink);
}

MediaBackendFactory GstMediaBackendFactory(const char* audioSink) {
    const bool bDefault = audioSink == nullptr;
    const std::string strSink = bDefault ? std::string() : std::string(audioSink);
    return
        [bDefault, strSink] { return CreateGstMediaBackend(bDefault ? nullptr : strSink.c_str()); };
}

GstElement* GstMediaBackendPipeline(IMediaBackend* pBackend) {
    auto* pGst = dynamic_cast<CGstMediaBackend*>(pBackend);
    return pGst ? pGst->Pipeline() : nullptr;
}
