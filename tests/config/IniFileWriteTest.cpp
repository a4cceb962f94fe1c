#include <algorithm>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "config/IniFile.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class ConfigIniWrite : public testing::Test {
protected:
    IniFile file_with(const std::string& content) {
        return IniFile(m_dir.write("dev.ini", content).string());
    }
    std::string content() const { return m_dir.read("dev.ini"); }
    std::vector<std::string> folder_entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir.path())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
    test::TempDir m_dir;
};

TEST_F(ConfigIniWrite, CreatesTheFileAndAppendsSectionsAndKeysInOrder) {
    IniFile file((m_dir.path() / "config.ini").string());
    file.write_string("general", "startminimized", "1");
    file.write_string("XXXXX", "startminimized111", "0");
    file.write_string("general", "tipoftheday", "0");
    EXPECT_EQ(m_dir.read("config.ini"),
              "[general]\nstartminimized=1\ntipoftheday=0\n[XXXXX]\nstartminimized111=0\n");
}

TEST_F(ConfigIniWrite, ReplacesAValueInPlaceKeepingEveryOtherByte) {
    const std::string before =
        "; written by hand\n"
        "[eth0]\n"
        "Time_cost = 5 \n"
        "  # unknown line\n"
        "Bw_opt=1\n"
        "\n"
        "[ppp0]\n"
        "Time_cost=9";
    auto file = file_with(before);
    file.write_string("ETH0", "time_cost", "7.25");
    file.write_string("ppp0", "TIME_COST", "3");
    EXPECT_EQ(content(),
              "; written by hand\n"
              "[eth0]\n"
              "Time_cost = 7.25\n"
              "  # unknown line\n"
              "Bw_opt=1\n"
              "\n"
              "[ppp0]\n"
              "Time_cost=3");
}

TEST_F(ConfigIniWrite, ANewKeyGoesAfterTheLastKeyOfItsSection) {
    auto file = file_with(
        "[eth0]\n"
        "Time_cost=1\n"
        "; trailing note\n"
        "\n"
        "; about ppp0\n"
        "[ppp0]\n"
        "Bw_opt=0\n");
    file.write_string("eth0", "log_option", "0");
    file.write_string("ppp0", "tray_option", "1");
    EXPECT_EQ(content(),
              "[eth0]\n"
              "Time_cost=1\n"
              "log_option=0\n"
              "; trailing note\n"
              "\n"
              "; about ppp0\n"
              "[ppp0]\n"
              "Bw_opt=0\n"
              "tray_option=1\n");
}

TEST_F(ConfigIniWrite, ANewKeyInAnEmptySectionFollowsItsHeader) {
    auto file = file_with("[empty]\n[next]\nk=v\n");
    file.write_string("EMPTY", "key", "1");
    EXPECT_EQ(content(), "[empty]\nkey=1\n[next]\nk=v\n");
}

TEST_F(ConfigIniWrite, ANewSectionGoesAtTheEndEvenWithoutAFinalLineBreak) {
    auto file = file_with("[a]\nk=v");
    file.write_string("b", "k", "w");
    EXPECT_EQ(content(), "[a]\nk=v\n[b]\nk=w\n");
    file.write_string("a", "n", "x");
    EXPECT_EQ(content(), "[a]\nk=v\nn=x\n[b]\nk=w\n");
}

TEST_F(ConfigIniWrite, CrLfFilesGetCrLfLines) {
    auto file = file_with("[a]\r\nk=v\r\n");
    file.write_string("a", "k", "changed");
    file.write_string("a", "n", "1");
    file.write_string("b", "m", "2");
    EXPECT_EQ(content(), "[a]\r\nk=changed\r\nn=1\r\n[b]\r\nm=2\r\n");
}

TEST_F(ConfigIniWrite, NamesWithQuotesAndBlanksRoundTrip) {
    IniFile file((m_dir.path() / "dev.ini").string());
    const std::string device = "Realtek \"PCIe\" GbE 'Home LAN' #2";
    file.write_string(device, " Time_cost ", "1.5");
    file.write_string("", "Bw_opt", "0");
    EXPECT_EQ(content(), "[" + device + "]\nTime_cost=1.5\n[]\nBw_opt=0\n");
    EXPECT_EQ(file.read_string(device, "time_cost", ""), "1.5");
    EXPECT_EQ(file.read_string("", "bw_opt", "d"), "0");
}

TEST_F(ConfigIniWrite, LongValuesAreStoredWhole) {
    IniFile file((m_dir.path() / "dev.ini").string());
    file.write_string("s", "k", std::string(3000, 'v'));
    EXPECT_EQ(content(), "[s]\nk=" + std::string(3000, 'v') + "\n");
}

struct BadWrite {
    const char* label;
    std::string section;
    std::string key;
    std::string value;
};

class ConfigIniRejects : public ConfigIniWrite, public testing::WithParamInterface<BadWrite> {};

TEST_P(ConfigIniRejects, NamesOrValuesThatWouldBreakTheFile) {
    const std::string before = "[a]\nk=v\n";
    auto file = file_with(before);
    const auto& bad = GetParam();
    EXPECT_THROW(file.write_string(bad.section, bad.key, bad.value), std::invalid_argument);
    EXPECT_EQ(content(), before);
    EXPECT_EQ(folder_entries(), std::vector<std::string>{"dev.ini"});
}

INSTANTIATE_TEST_SUITE_P(Cases, ConfigIniRejects,
                         testing::Values(BadWrite{"SectionNewline", "a\n[b", "k", "v"},
                                         BadWrite{"SectionReturn", "a\rb", "k", "v"},
                                         BadWrite{"SectionZero", std::string("a\0b", 3), "k", "v"},
                                         BadWrite{"KeyBracket", "a", "[x]", "v"},
                                         BadWrite{"KeyBracketAfterBlanks", "a", "  [x", "v"},
                                         BadWrite{"KeyEquals", "a", "k=x", "v"},
                                         BadWrite{"KeyNewline", "a", "k\nx", "v"},
                                         BadWrite{"KeyZero", "a", std::string("k\0x", 3), "v"},
                                         BadWrite{"ValueNewline", "a", "k", "1\n[evil]"},
                                         BadWrite{"ValueReturn", "a", "k", "1\r"}),
                         [](const testing::TestParamInfo<BadWrite>& info) {
                             return info.param.label;
                         });

TEST_F(ConfigIniWrite, AMissingFolderIsAWriteFailureWithTheFullPath) {
    const std::string path = (m_dir.path() / "config" / "dev.ini").string();
    IniFile file(path);
    try {
        file.write_string("general", "startminimized", "1");
        FAIL() << "the write succeeded";
    } catch (const IniWriteError& e) {
        EXPECT_STREQ(e.what(), ("Unable to write to " + path).c_str());
    }
    EXPECT_FALSE(fs::exists(m_dir.path() / "config"));
}

TEST_F(ConfigIniWrite, AFailedWriteLeavesTheFileAsItWasAndNoTemporaryFile) {
    const std::string before = "[a]\nk=old\n";
    auto file = file_with(before);
    // A file size limit makes writing the new content fail part way, even for root.
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(file.write_string("a", "k", std::string(500, 'n')), IniWriteError);
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_EQ(content(), before);
    EXPECT_EQ(folder_entries(), std::vector<std::string>{"dev.ini"});
}

TEST_F(ConfigIniWrite, AnUnreadableFileIsNeverReplaced) {
    fs::create_directory(m_dir.path() / "dev.ini");
    m_dir.write("dev.ini/keep", "x");
    IniFile file((m_dir.path() / "dev.ini").string());
    EXPECT_THROW(file.write_string("a", "k", "v"), IniWriteError);
    EXPECT_EQ(m_dir.read("dev.ini/keep"), "x");
}

TEST_F(ConfigIniWrite, ReplacesTheFileAsAWholeKeepingItsMode) {
    auto file = file_with("[a]\nk=v\n");
    const auto path = m_dir.path() / "dev.ini";
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_hard_link(path, m_dir.path() / "old-copy");

    file.write_string("a", "k", "w");

    // The old file was swapped for a new one, not rewritten through the same inode.
    EXPECT_EQ(m_dir.read("old-copy"), "[a]\nk=v\n");
    EXPECT_EQ(content(), "[a]\nk=w\n");
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    auto entries = folder_entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"dev.ini", "old-copy"}));
}

TEST_F(ConfigIniWrite, ASymbolicLinkKeepsPointingAtTheUpdatedFile) {
    m_dir.write("real/dev.ini", "[a]\nk=v\n");
    fs::create_symlink(m_dir.path() / "real" / "dev.ini", m_dir.path() / "dev.ini");
    IniFile file((m_dir.path() / "dev.ini").string());
    file.write_string("a", "k", "w");
    EXPECT_TRUE(fs::is_symlink(m_dir.path() / "dev.ini"));
    EXPECT_EQ(m_dir.read("real/dev.ini"), "[a]\nk=w\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.path() / "real"), {}), 1);
}

}  // namespace
}  // namespace quorvane
