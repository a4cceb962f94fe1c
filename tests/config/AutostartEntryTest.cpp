#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "config/AutostartEntry.h"
#include "config/IniFile.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class Autostart : public testing::Test {
protected:
    std::string home() const { return (m_dir.path() / "xdg").string(); }
    AutostartEntry entry() const { return AutostartEntry(AutostartEntry::path_in(home())); }
    test::TempDir m_dir;
};

TEST_F(Autostart, LivesInTheAutostartFolderOfTheConfigHome) {
    EXPECT_EQ(AutostartEntry::path_in("/home/u/.config"),
              "/home/u/.config/autostart/quorvane.desktop");
}

TEST_F(Autostart, WrittenRemovedAndRemovedAgainWithoutError) {
    AutostartEntry start = entry();
    EXPECT_FALSE(start.is_on());
    start.write("/usr/local/bin/quorvane", "/var/lib/quorvane");
    EXPECT_TRUE(start.is_on());
    EXPECT_EQ(m_dir.read("xdg/autostart/quorvane.desktop"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Quorvane\n"
              "Comment=Network usage meter, started with the desktop session\n"
              "Exec=/usr/local/bin/quorvane\n"
              "Path=/var/lib/quorvane\n"
              "Icon=network-transmit-receive\n"
              "Terminal=false\n"
              "X-GNOME-Autostart-enabled=true\n");
    start.remove();
    EXPECT_FALSE(start.is_on());
    EXPECT_FALSE(fs::exists(start.path()));
    EXPECT_NO_THROW(start.remove());
    // Written again over nothing, and once more over itself.
    start.write("/opt/q/quorvane", "/data");
    start.write("/opt/q/quorvane", "/data");
    EXPECT_TRUE(start.is_on());
}

struct PresentCase {
    const char* label;
    const char* content;
    bool on;
};

class AutostartPresence : public Autostart, public testing::WithParamInterface<PresentCase> {};

// Only an entry with a non-empty Exec= line means "start with the desktop".
TEST_P(AutostartPresence, IsOnOnlyWithANonEmptyExecLine) {
    m_dir.write("xdg/autostart/quorvane.desktop", GetParam().content);
    EXPECT_EQ(entry().is_on(), GetParam().on);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AutostartPresence,
    testing::Values(PresentCase{"Exec", "[Desktop Entry]\nExec=quorvane\n", true},
                    PresentCase{"EmptyExec", "[Desktop Entry]\nExec=\n", false},
                    PresentCase{"NoExec", "[Desktop Entry]\nName=Quorvane\n", false},
                    PresentCase{"EmptyFile", "", false},
                    PresentCase{"ExecInAnotherGroup", "[Desktop Action x]\nExec=q\n", false}),
    [](const testing::TestParamInfo<PresentCase>& info) { return info.param.label; });

struct ExecCase {
    const char* label;
    const char* executable;
    const char* working_dir;
    const char* exec_line;
    const char* path_line;
};

class AutostartEscapes : public testing::TestWithParam<ExecCase> {};

// Paths with blanks, quotes, "%", "$" or backslashes reach the session's launcher intact.
TEST_P(AutostartEscapes, QuoteAndEscapeAsDesktopEntriesRequire) {
    const std::string text = AutostartEntry::content(GetParam().executable, GetParam().working_dir);
    EXPECT_NE(text.find(std::string("\nExec=") + GetParam().exec_line + "\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find(std::string("\nPath=") + GetParam().path_line + "\n"), std::string::npos)
        << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AutostartEscapes,
    testing::Values(
        ExecCase{"Plain", "/usr/bin/quorvane", "/var/lib/q", "/usr/bin/quorvane", "/var/lib/q"},
        ExecCase{"Blank", "/opt/my apps/quorvane", "/home/u/My data", R"("/opt/my apps/quorvane")",
                 "/home/u/My data"},
        ExecCase{"Percent", "/opt/100%/quorvane", "/d/100%", "/opt/100%%/quorvane", "/d/100%"},
        ExecCase{"QuoteAndDollar", R"(/opt/a"b$c/q)", "/d", R"("/opt/a\\"b\\$c/q")", "/d"},
        ExecCase{"Backslash", R"(/opt/a\b/q)", R"(/d\e)", R"("/opt/a\\\\b/q")", R"(/d\\e)"}),
    [](const testing::TestParamInfo<ExecCase>& info) { return info.param.label; });

TEST_F(Autostart, AnEntryThatCannotBeWrittenIsAnErrorNamingIt) {
    // A file where the autostart folder should be: the folder cannot be made.
    m_dir.write("xdg/autostart", "not a folder");
    AutostartEntry start = entry();
    try {
        start.write("/usr/bin/quorvane", "/d");
        FAIL() << "the write succeeded";
    } catch (const IniWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + start.path());
    }
    EXPECT_FALSE(start.is_on());
    EXPECT_EQ(m_dir.read("xdg/autostart"), "not a folder");
}

}  // namespace
}  // namespace quorvane
