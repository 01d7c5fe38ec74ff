// The installed tree: cmake --install into a temporary DESTDIR puts the program, the
// command-line tool, help, desktop entry, MIME type, icons, metainfo and man pages in place.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/TempFolder.h"

namespace {

TEST(CliInstall, InstallsTheWholeTree) {
    CTempFolder dest;
    const std::string command = std::string("DESTDIR='") + dest.Path() + "' '" + CLI_CMAKE +
                                "' --install '" + CLI_BUILD_DIR + "' --prefix /usr >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string usr = dest / "usr";
    for (const char* path : {
             "bin/versewright",
             "bin/versewright-cli",
             "share/applications/versewright.desktop",
             "share/mime/packages/versewright-lrc.xml",
             "share/metainfo/org.versewright.versewright.metainfo.xml",
             "share/icons/hicolor/16x16/apps/versewright.png",
             "share/icons/hicolor/48x48/apps/versewright.png",
             "share/icons/hicolor/256x256/apps/versewright.png",
             "share/icons/hicolor/scalable/apps/versewright.svg",
             "share/man/man1/versewright.1.gz",
             "share/man/man1/versewright-cli.1.gz",
             "share/versewright/help/versewright_enu.html",
             "share/versewright/help/versewright_help.css",
         })
        EXPECT_TRUE(std::filesystem::is_regular_file(usr + "/" + path)) << path;

    // The installed tool runs without Qt or GStreamer, and the metainfo is valid where the
    // validator is installed.
    const std::string cli = usr + "/bin/versewright-cli";
    EXPECT_EQ(std::system(("'" + cli + "' --version >/dev/null").c_str()), 0);
    EXPECT_NE(std::system(("ldd '" + cli + "' | grep -Eq 'libQt|libgst'").c_str()), 0);
    if (std::system("command -v appstreamcli >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "appstreamcli is not installed; the metainfo file was not validated";
    const std::string validate = "appstreamcli validate --no-net --pedantic '" + usr +
                                 "/share/metainfo/org.versewright.versewright.metainfo.xml' >&2";
    EXPECT_EQ(std::system(validate.c_str()), 0);
}

} // namespace
