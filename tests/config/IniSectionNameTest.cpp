#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/IniFile.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

// Device names are section names, and a device's name is whatever its interface alias
// says: brackets, "=", comment characters and quotes included.
class IniSectionNames : public testing::TestWithParam<std::string> {
protected:
    IniFile file() const { return IniFile((m_dir.path() / "dev.ini").string()); }
    test::TempDir m_dir;
};

TEST_P(IniSectionNames, RoundTripBesideOtherSections) {
    const std::string& name = GetParam();
    IniFile ini = file();
    ini.write_string("eth0", "Time_cost", "1");
    ini.write_string(name, "Time_cost", "2.5");
    ini.write_string(name, "log_option", "0");
    ini.write_string("ppp0", "Time_cost", "3");
    // Written again: the key is found and replaced, not added a second time.
    ini.write_string(name, "Time_cost", "4.75");

    EXPECT_EQ(m_dir.read("dev.ini"), "[eth0]\nTime_cost=1\n[" + name +
                                         "]\nTime_cost=4.75\nlog_option=0\n[ppp0]\nTime_cost=3\n");
    EXPECT_EQ(ini.read_string(name, "time_cost", "0"), "4.75");
    EXPECT_EQ(ini.read_string(name, "LOG_OPTION", "1"), "0");
    EXPECT_EQ(ini.read_string("eth0", "time_cost", "0"), "1");
    EXPECT_EQ(ini.read_string("ppp0", "time_cost", "0"), "3");
}

INSTANTIATE_TEST_SUITE_P(Names, IniSectionNames,
                         testing::Values("Office [LAN]", "[LAN]", "a]b", "]", "[", "[[x]]",
                                         "up=down", "=", "LAN ; cable", "; LAN", "#2 LAN",
                                         "Bob's \"fast\" line", "100% [wifi] = ok; #1"),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return "Name" + std::to_string(info.index);
                         });

TEST(IniSectionHeaders, AHeaderNameRunsToTheLastBracketOfItsLine) {
    test::TempDir dir;
    const auto path = dir.write("dev.ini",
                                "[Office [LAN]]\n"
                                "log_option=0\n"
                                "[Office]\n"
                                "log_option=2\n"
                                "[a] ; note]\n"
                                "k=1\n"
                                "[b] ; note\n"
                                "k=2\n");
    IniFile ini(path.string());
    EXPECT_EQ(ini.read_string("Office [LAN]", "log_option", "1"), "0");
    EXPECT_EQ(ini.read_string("office", "log_option", "1"), "2");
    EXPECT_EQ(ini.read_string("a] ; note", "k", ""), "1");
    EXPECT_EQ(ini.read_string("a", "k", "none"), "none");
    EXPECT_EQ(ini.read_string("b", "k", ""), "2");
}

struct UnstorableName {
    const char* label;
    std::string name;
    const char* shown;  // as the message names it
};

class IniUnstorableSections : public testing::TestWithParam<UnstorableName> {
protected:
    test::TempDir m_dir;
};

// A name that cannot be a section is refused with an error that names it and the file;
// nothing is written.
TEST_P(IniUnstorableSections, AreRefusedByName) {
    const std::string before = "[eth0]\nTime_cost=1\n";
    const auto path = m_dir.write("dev.ini", before);
    IniFile ini(path.string());
    const std::string expected = "Unable to write to " + path.string() + ": the section name \"" +
                                 GetParam().shown + "\" holds a line break or a zero character";
    try {
        ini.write_string(GetParam().name, "Time_cost", "2");
        FAIL() << "the write succeeded";
    } catch (const IniNameError& error) {
        EXPECT_EQ(std::string(error.what()).substr(0, expected.size()), expected);
    }
    EXPECT_THROW(ini.check_section_name(GetParam().name), IniNameError);
    EXPECT_EQ(m_dir.read("dev.ini"), before);
}

INSTANTIATE_TEST_SUITE_P(Names, IniUnstorableSections,
                         testing::Values(UnstorableName{"LineFeed", "Home\nLAN", "Home\\nLAN"},
                                         UnstorableName{"Return", "Home LAN\r", "Home LAN\\r"},
                                         UnstorableName{"Zero", std::string("ab\0c", 4), "ab\\0c"}),
                         [](const testing::TestParamInfo<UnstorableName>& info) {
                             return info.param.label;
                         });

TEST(IniSectionNameCheck, OneLineNamesPass) {
    IniFile ini("/nonexistent/dev.ini");
    for (const char* name : {"", "Office [LAN]", "a=b", "x\ty"}) {
        EXPECT_NO_THROW(ini.check_section_name(name)) << name;
    }
}

}  // namespace
}  // namespace quorvane
