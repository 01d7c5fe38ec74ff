// The GStreamer media backend.
