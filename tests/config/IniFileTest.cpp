#include "config/IniFile.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace quorvane {
namespace {

class ConfigIniRead : public testing::Test {
protected:
    IniFile file_with(const std::string& content) {
        return IniFile(m_dir.write("dev.ini", content).string());
    }
    test::TempDir m_dir;
};

TEST_F(ConfigIniRead, MissingFileSectionOrKeyGivesTheDefault) {
    IniFile missing((m_dir.path() / "none.ini").string());
    EXPECT_EQ(missing.read_string("general", "tipoftheday", "0"), "0");

    auto file = file_with("[general]\nstartminimized=1\n[other]\ntipoftheday=1\n");
    EXPECT_EQ(file.read_string("absent", "startminimized", "d"), "d");
    EXPECT_EQ(file.read_string("general", "tipoftheday", "d"), "d");
    EXPECT_EQ(file.read_string("general", "startminimized", "d"), "1");
}

// The sections in file order, each name once (only the first of a name counts); a name
// keeps its brackets and quotes.
TEST_F(ConfigIniRead, SectionNamesInFileOrder) {
    EXPECT_TRUE(IniFile((m_dir.path() / "none.ini").string()).section_names().empty());
    auto file = file_with(
        "\xEF\xBB\xBF[LAN]\nBudget_cost=5\n; [comment]\n[Office [LAN] \"2\"]\r\nx=1\r\n"
        "[lan]\nBudget_cost=9\nnot a header]\n[Wi-Fi]\n");
    EXPECT_EQ(file.section_names(),
              (std::vector<std::string>{"LAN", "Office [LAN] \"2\"", "Wi-Fi"}));
}

TEST_F(ConfigIniRead, NamesMatchWithoutRegardToCaseOrSurroundingBlanks) {
    auto file = file_with("[eth0]\nTime_cost=1.5\nBw_opt=2\n  [ PPP Link ]  \n  Log_Option = 0 \n");
    EXPECT_EQ(file.read_string("ETH0", "time_cost", ""), "1.5");
    EXPECT_EQ(file.read_string("eth0", "BW_OPT", ""), "2");
    EXPECT_EQ(file.read_string("ppp link", "log_option", ""), "0");
    EXPECT_EQ(file.read_string(" ppp link ", " log_option ", ""), "0");
    // Blanks inside a name are part of it.
    EXPECT_EQ(file.read_string("ppplink", "log_option", "d"), "d");
}

TEST_F(ConfigIniRead, ValuesLoseSurroundingBlanksAndMatchingQuotes) {
    auto file =
        file_with("[s]\na=  x y \t\nb=\"quoted\"\nc='single'\nd=\"open\ne=\nf=\" kept \"\n");
    EXPECT_EQ(file.read_string("s", "a", ""), "x y");
    EXPECT_EQ(file.read_string("s", "b", ""), "quoted");
    EXPECT_EQ(file.read_string("s", "c", ""), "single");
    EXPECT_EQ(file.read_string("s", "d", ""), "\"open");
    EXPECT_EQ(file.read_string("s", "e", "default"), "");
    EXPECT_EQ(file.read_string("s", "f", ""), " kept ");
}

TEST_F(ConfigIniRead, CrLfLinesAndByteOrderMark) {
    auto file = file_with("\xEF\xBB\xBF[general]\r\nstartminimized=1\r\ntipoftheday = 0 \r\n");
    EXPECT_EQ(file.read_string("general", "startminimized", ""), "1");
    EXPECT_EQ(file.read_string("general", "tipoftheday", ""), "0");
}

TEST_F(ConfigIniRead, OnlyKeyLinesOfTheFirstMatchingSectionCount) {
    auto file = file_with(
        "orphan=1\n"
        "[a] ; a comment after the header\n"
        "no equals sign here\n"
        "key=first\n"
        "KEY=second\n"
        "[A]\n"
        "other=2\n");
    EXPECT_EQ(file.read_string("", "orphan", "d"), "d");
    EXPECT_EQ(file.read_string("a", "no equals sign here", "d"), "d");
    EXPECT_EQ(file.read_string("a", "key", ""), "first");
    EXPECT_EQ(file.read_string("a", "other", "d"), "d");
}

TEST_F(ConfigIniRead, AtMost2047CharactersOfAValueAreSeen) {
    const std::string exact(2047, 'x');
    auto file = file_with("[s]\nexact=" + exact + "\nlong=" + std::string(5000, 'y') +
                          "\nwide=" + std::string(2046, 'z') + "\xC3\xA9\xC3\xA9\n");
    EXPECT_EQ(file.read_string("s", "exact", ""), exact);
    EXPECT_EQ(file.read_string("s", "long", ""), std::string(2047, 'y'));
    // A two-byte character is one character and is never cut in half.
    EXPECT_EQ(file.read_string("s", "wide", ""), std::string(2046, 'z') + "\xC3\xA9");
}

TEST_F(ConfigIniRead, EveryReadSeesTheFileAsItIsNow) {
    auto file = file_with("[general]\nstartminimized=0\n");
    EXPECT_EQ(file.read_string("general", "startminimized", ""), "0");
    m_dir.write("dev.ini", "[general]\nstartminimized=2\n");
    EXPECT_EQ(file.read_string("general", "startminimized", ""), "2");
}

TEST_F(ConfigIniRead, AFolderInPlaceOfTheFileGivesTheDefault) {
    std::filesystem::create_directory(m_dir.path() / "dir.ini");
    IniFile file((m_dir.path() / "dir.ini").string());
    EXPECT_EQ(file.read_string("s", "k", "d"), "d");
}

}  // namespace
}  // namespace quorvane
