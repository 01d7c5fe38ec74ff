// The GStreamer media backend: one playbin per opened file, audio only.
#include "player/GstMediaBackend.h"

#include <gst/audio/streamvolume.h>
#include <gst/gst.h>

#include <algorithm>
#include <atomic>
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

bool InitGStreamer() {
    static std::once_flag s_once;
    static bool s_bReady = false;
    std::call_once(s_once, [] { s_bReady = gst_init_check(nullptr, nullptr, nullptr); });
    return s_bReady;
}

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
    int SetRate(double rate) override;

    GstElement* Pipeline() const { return m_pPipeline; }

private:
    GstElement* MakeAudioSink() const;
    bool Preroll();
    void DrainBus();
    bool SeekSettled();
    int SetState(GstState state);
    int Seek(gint64 target);
    gint64 LengthNs();
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
    bool m_bAtEnd = false;              // played to the end: the position is the length
    gint64 m_nSeekTarget = 0;
    gint64 m_nLastPosition = 0;
    double m_dRate = 1.0;      // every seek carries it
    bool m_bScaleTempo = false; // the pitch is kept when the speed changes
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
    gchar* utf8 =
        g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(path), -1, nullptr, nullptr, nullptr);
    gchar* local = utf8 ? g_filename_from_utf8(utf8, -1, nullptr, nullptr, nullptr) : nullptr;
    g_free(utf8);
    const std::string strPath = local ? local : "";
    g_free(local);
    if (strPath.empty() || !g_file_test(strPath.c_str(), G_FILE_TEST_IS_REGULAR))
        return kFailed;

    const int64_t nAudioOffset = MptAudioOffset(strPath);
    if (nAudioOffset < 0)
        return kFailed;
    // AIFF goes through the region source too: the AIFF parser of GStreamer 1.22 in pull mode
    // now and then pushes before it is linked and the open hangs.
    if (nAudioOffset > 0 || IsAiffFile(strPath)) {
        m_pRegion = std::make_unique<CGstFileRegionSource>();
        if (!m_pRegion->Open(strPath, uint64_t(nAudioOffset)))
            return kFailed;
        g_object_set(m_pPipeline, "uri", "appsrc://", nullptr);
    } else {
        gchar* uri = gst_filename_to_uri(strPath.c_str(), nullptr);
        if (!uri)
            return kFailed;
        g_object_set(m_pPipeline, "uri", uri, nullptr);
        g_free(uri);
    }
    if (!Preroll())
        return kFailed;

    double seconds = 0.0;
    if (m_bMpegParser && Mp3ScanLength(strPath, uint64_t(nAudioOffset), seconds))
        m_dScannedLength = seconds;
    return kOk;
}

// Pauses the new pipeline and waits until it is ready to play; an error, a time-out or a file
// without audio fail.
bool CGstMediaBackend::Preroll() {
    const GstStateChangeReturn ret = gst_element_set_state(m_pPipeline, GST_STATE_PAUSED);
    if (ret == GST_STATE_CHANGE_FAILURE)
        return false;
    if (ret == GST_STATE_CHANGE_ASYNC) {
        GstMessage* message = gst_bus_timed_pop_filtered(
            m_pBus, kPrerollTimeout, GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE));
        const bool bReady = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_ASYNC_DONE;
        if (message)
            gst_message_unref(message);
        if (!bReady)
            return false;
    }
    gint nAudio = 0;
    g_object_get(m_pPipeline, "n-audio", &nAudio, nullptr);
    return nAudio > 0;
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
            m_bAtEnd = true;
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
    const int status = SetState(GST_STATE_PLAYING);
    if (MediaSucceeded(status)) {
        m_bRunning = true;
        m_bHoldTarget = false;
    }
    return status;
}

int CGstMediaBackend::Pause() {
    const int status = SetState(GST_STATE_PAUSED);
    m_bRunning = false;
    return status;
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
    if (m_dScannedLength >= 0.0) {
        *pSeconds = m_dScannedLength;
        return kOk;
    }
    DrainBus();
    if (m_bDurationDirty) {
        gint64 duration = -1;
        if (gst_element_query_duration(m_pPipeline, GST_FORMAT_TIME, &duration) && duration >= 0) {
            m_nDuration = duration;
            m_bDurationDirty = false;
        }
    }
    if (m_nDuration < 0)
        return kFailed;
    *pSeconds = double(m_nDuration) / GST_SECOND;
    return kOk;
}

int CGstMediaBackend::GetPosition(double* pSeconds) {
    *pSeconds = 0.0;
    if (!m_pPipeline)
        return kFailed;
    DrainBus();
    int status = kOk;
    if (!SeekSettled() || m_bHoldTarget) {
        m_nLastPosition = m_nSeekTarget;
    } else if (const gint64 length = m_bAtEnd ? LengthNs() : -1; length >= 0) {
        m_nLastPosition = length;
    } else {
        gint64 position = -1;
        if (gst_element_query_position(m_pPipeline, GST_FORMAT_TIME, &position) && position >= 0) {
            // Some parsers land a hair before the target; do not read back less than asked.
            if (m_bBelowTarget && position < m_nSeekTarget)
                position = m_nSeekTarget;
            else
                m_bBelowTarget = false;
            m_nLastPosition = position;
        } else {
            status = kFailed;
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

// A seek past the end stands at the end. The seek is given a stop position, the end (some
// parsers end playback at once without one, and the position at the end reads the stop).
int CGstMediaBackend::Seek(gint64 target) {
    if (!m_pPipeline)
        return kFailed;
    DrainBus();
    const gint64 stop = LengthNs();
    if (stop >= 0)
        target = std::min(target, stop);
    GstEvent* seek = gst_event_new_seek(
        m_dRate, GST_FORMAT_TIME, GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
        GST_SEEK_TYPE_SET, target, stop >= 0 ? GST_SEEK_TYPE_SET : GST_SEEK_TYPE_NONE, stop);
    if (!gst_element_send_event(m_pPipeline, seek))
        return kFailed;
    m_bPrerolledSinceSeek = false;
    m_bBelowTarget = true;
    m_bAtEnd = false;
    m_nSeekTarget = target;
    m_bSeekPending = true;
    m_bHoldTarget = !m_bRunning;
    return kOk;
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
