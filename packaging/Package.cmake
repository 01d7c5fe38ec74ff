# The Debian package made by `cpack -G DEB` in the build folder. Library dependencies come from
# dpkg-shlibdeps; what the program loads at run time (GStreamer plugins) is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME versewright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for timing song lyrics")
set(CPACK_PACKAGE_DESCRIPTION
    "Open or type the lyrics, load the song, play it, and press Insert at the start of each
sung line: the line gets a time tag for the moment it is sung. Saves LRC text in its own
code page and the binary LYR and MPT lyrics formats. versewright-cli converts, checks and
fixes many lyrics files at once.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Versewright developers <versewright@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gstreamer1.0-libav, gstreamer1.0-plugins-ugly, qt6-qpa-plugins, qt6-translations-l10n, fonts-wqy-microhei")
include(CPack)
