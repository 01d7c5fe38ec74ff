// A file region as a seekable appsrc stream.
#include "player/GstFileRegionSource.h"

#include <fcntl.h>
#include <unistd.h>

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <cerrno>
#include <cstring>

#include "doc/MptFormat.h"

CGstFileRegionSource::~CGstFileRegionSource() {
    if (m_fd >= 0)
        close(m_fd);
}

bool CGstFileRegionSource::Open(const std::string& path, uint64_t offset) {
    std::lock_guard lock(m_mutex);
    m_fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    const off_t size = lseek(m_fd, 0, SEEK_END);
    if (size < 0 || uint64_t(size) <= offset)
        return false;
    m_nOffset = offset;
    m_nSize = uint64_t(size) - offset;
    m_nPos = 0;
    return true;
}

void CGstFileRegionSource::Attach(GstElement* appsrc) {
    GstAppSrc* src = GST_APP_SRC(appsrc);
    gst_app_src_set_stream_type(src, GST_APP_STREAM_TYPE_SEEKABLE);
    gst_app_src_set_size(src, gint64(m_nSize));
    g_object_set(appsrc, "format", GST_FORMAT_BYTES, nullptr);
    GstAppSrcCallbacks callbacks = {};
    callbacks.need_data = [](GstAppSrc* s, guint length, gpointer self) {
        OnNeedData(GST_ELEMENT(s), length, self);
    };
    callbacks.seek_data = [](GstAppSrc* s, guint64 offset, gpointer self) -> gboolean {
        return OnSeekData(GST_ELEMENT(s), offset, self);
    };
    gst_app_src_set_callbacks(src, &callbacks, this, nullptr);
    std::lock_guard lock(m_mutex);
    m_nPos = 0; // a pipeline set up again reads from the start
}

void CGstFileRegionSource::OnNeedData(GstElement* appsrc, unsigned int length, void* self) {
    auto* pThis = static_cast<CGstFileRegionSource*>(self);
    constexpr unsigned int kChunk = 64 * 1024;
    if (length == 0 || length > kChunk)
        length = kChunk;
    GstBuffer* buffer = nullptr;
    int nError = 0;
    {
        std::lock_guard lock(pThis->m_mutex);
        const uint64_t left = pThis->m_nSize - pThis->m_nPos;
        if (left < length)
            length = unsigned(left);
        if (length > 0) {
            buffer = gst_buffer_new_allocate(nullptr, length, nullptr);
            GstMapInfo map;
            gst_buffer_map(buffer, &map, GST_MAP_WRITE);
            const ssize_t got =
                pread(pThis->m_fd, map.data, length, off_t(pThis->m_nOffset + pThis->m_nPos));
            gst_buffer_unmap(buffer, &map);
            if (got <= 0) {
                nError = got < 0 ? errno : 0;
                gst_buffer_unref(buffer);
                buffer = nullptr;
            } else {
                gst_buffer_set_size(buffer, got);
                GST_BUFFER_OFFSET(buffer) = pThis->m_nPos;
                pThis->m_nPos += uint64_t(got);
            }
        }
    }
    if (buffer)
        gst_app_src_push_buffer(GST_APP_SRC(appsrc), buffer); // takes the buffer
    else if (nError) // a read error is no end of the song
        GST_ELEMENT_ERROR(appsrc, RESOURCE, READ, ("Could not read the file: %s",
                                                   g_strerror(nError)), (nullptr));
    else
        gst_app_src_end_of_stream(GST_APP_SRC(appsrc));
}

int CGstFileRegionSource::OnSeekData(GstElement*, uint64_t offset, void* self) {
    auto* pThis = static_cast<CGstFileRegionSource*>(self);
    std::lock_guard lock(pThis->m_mutex);
    if (offset > pThis->m_nSize)
        return FALSE;
    pThis->m_nPos = offset;
    return TRUE;
}

namespace {

// The first bytes of a file and its size; false when it is shorter than n.
bool ReadHead(const std::string& path, unsigned char* head, size_t n, off_t& size) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool bRead = pread(fd, head, n, 0) == ssize_t(n);
    size = lseek(fd, 0, SEEK_END);
    close(fd);
    return bRead;
}

} // namespace

int64_t MptAudioOffset(const std::string& path) {
    unsigned char head[7] = {};
    off_t size = 0;
    if (!ReadHead(path, head, sizeof head, size) || size < 0)
        return 0;
    return MptAudioStart(std::string_view(reinterpret_cast<const char*>(head), sizeof head),
                         uint64_t(size));
}
