#include "player/GstPeakDecoder.h"

#include <gst/app/gstappsink.h>
#include <gst/audio/audio.h>
#include <gst/gst.h>

#include <cerrno>
#include <memory>
#include <optional>

#include "player/GstFileRegionSource.h"
#include "player/GstMediaBackend.h"

namespace {

// How long one wait for decoded audio lasts before the cancel flag is looked at again.
constexpr GstClockTime kPullWait = 100 * GST_MSECOND;
// Decoded audio before the first progress report; later ones come each time it has doubled, so
// the copies the reports make stay in proportion to the song.
constexpr size_t kProgressBins = 1000;

struct CPipelineDeleter {
    void operator()(GstElement* p) const {
        gst_element_set_state(p, GST_STATE_NULL);
        gst_object_unref(p);
    }
};
using CPipeline = std::unique_ptr<GstElement, CPipelineDeleter>;

void OnSourceSetup(GstElement*, GstElement* source, gpointer region) {
    if (g_str_has_prefix(G_OBJECT_TYPE_NAME(source), "GstAppSrc"))
        static_cast<CGstFileRegionSource*>(region)->Attach(source);
}

// The first error on the bus, if any; everything else posted there is dropped, so nothing piles
// up over a long song.
std::optional<std::string> BusError(GstElement* pipeline) {
    GstBus* bus = gst_element_get_bus(pipeline);
    std::optional<std::string> text;
    while (GstMessage* message = gst_bus_pop(bus)) {
        if (!text && GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
            GError* error = nullptr;
            gst_message_parse_error(message, &error, nullptr);
            text = error && error->message ? error->message : "decoding failed";
            g_clear_error(&error);
        }
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    return text;
}

} // namespace

bool DecodeSongPeaks(const std::string& path, uint32_t binMs, const std::atomic<bool>* pCancel,
                     const PeakProgress& progress, std::vector<SPeakBin>* pBins,
                     std::string& strError) {
    pBins->clear();
    if (!InitGStreamer()) {
        strError = "GStreamer cannot be started";
        return false;
    }
    if (!g_file_test(path.c_str(), G_FILE_TEST_IS_REGULAR)) {
        strError = "no such file";
        return false;
    }
    GError* error = nullptr;
    GstElement* parsed = gst_parse_launch(
        "uridecodebin name=dec ! audioconvert ! "
        "audio/x-raw,format=F32LE,layout=interleaved ! appsink name=sink sync=false",
        &error);
    if (!parsed) {
        strError = error && error->message ? error->message : "no decoder";
        g_clear_error(&error);
        return false;
    }
    g_clear_error(&error);
    CPipeline pipeline(GST_ELEMENT(gst_object_ref_sink(parsed)));

    // The audio behind a lyrics header is read as the player reads it.
    const int64_t audioOffset = MptAudioOffset(path);
    if (audioOffset < 0) {
        strError = "the file holds no audio";
        return false;
    }
    std::unique_ptr<CGstFileRegionSource> region;
    if (audioOffset > 0) {
        region = std::make_unique<CGstFileRegionSource>();
        if (!region->Open(path, uint64_t(audioOffset))) {
            strError = g_strerror(errno);
            return false;
        }
    }
    gchar* uri = region ? g_strdup("appsrc://") : gst_filename_to_uri(path.c_str(), nullptr);
    if (!uri) {
        strError = "the file name cannot be read";
        return false;
    }
    GstElement* decoder = gst_bin_get_by_name(GST_BIN(pipeline.get()), "dec");
    g_object_set(decoder, "uri", uri, nullptr);
    g_free(uri);
    if (region)
        g_signal_connect(decoder, "source-setup", G_CALLBACK(OnSourceSetup), region.get());
    gst_object_unref(decoder);

    GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline.get()), "sink");
    GstAppSink* appsink = GST_APP_SINK(sink);
    gst_app_sink_set_max_buffers(appsink, 8);
    if (gst_element_set_state(pipeline.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        gst_object_unref(sink);
        strError = BusError(pipeline.get()).value_or("the file cannot be decoded");
        return false;
    }

    std::optional<CPeakReducer> reducer;
    size_t nextReport = kProgressBins;
    bool bDone = false;
    while (!bDone) {
        if (pCancel && pCancel->load()) {
            strError = "cancelled";
            break;
        }
        if (std::optional<std::string> busError = BusError(pipeline.get())) {
            strError = *busError;
            break;
        }
        GstSample* sample = gst_app_sink_try_pull_sample(appsink, kPullWait);
        if (!sample) {
            bDone = gst_app_sink_is_eos(appsink);
            continue;
        }
        GstAudioInfo info;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        GstMapInfo map;
        if (gst_audio_info_from_caps(&info, gst_sample_get_caps(sample)) &&
            GST_AUDIO_INFO_BPF(&info) > 0 && buffer && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
            if (!reducer)
                reducer.emplace(GST_AUDIO_INFO_RATE(&info), GST_AUDIO_INFO_CHANNELS(&info), binMs);
            const size_t frames = map.size / GST_AUDIO_INFO_BPF(&info);
            reducer->AddSamples(reinterpret_cast<const float*>(map.data), frames);
            gst_buffer_unmap(buffer, &map);
        }
        gst_sample_unref(sample);
        if (progress && reducer && reducer->Bins().size() >= nextReport) {
            nextReport = 2 * reducer->Bins().size();
            progress(reducer->Bins());
        }
    }
    gst_object_unref(sink);
    if (!bDone)
        return false;
    if (!reducer) {
        strError = "the file holds no audio";
        return false;
    }
    reducer->Finish();
    *pBins = reducer->TakeBins();
    return true;
}
