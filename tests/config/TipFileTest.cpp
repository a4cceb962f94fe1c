#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/TipFile.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

struct TipCase {
    const char* label;
    std::string text;
    std::vector<std::string> tips;
};

class TipParsing : public testing::TestWithParam<TipCase> {};

TEST_P(TipParsing, GivesTheTipsInFileOrder) {
    EXPECT_EQ(parse_tips(GetParam().text), GetParam().tips);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TipParsing,
    testing::Values(
        TipCase{"ThreeTips", "one\n#\ntwo\n#\nthree\n#\n", {"one\n", "two\n", "three\n"}},
        TipCase{"OneTip", "only\n#\n", {"only\n"}},
        TipCase{"TwoHashLinesMakeAnEmptyTip", "a\n#\n#\nb\n#\n", {"a\n", "", "b\n"}},
        TipCase{"LinesOfATipAreJoinedBlankLinesDropped",
                "\n\nfirst line\n\n\nsecond line\n#\n\n",
                {"first line\nsecond line\n"}},
        TipCase{"TextAfterTheLastHashIsDropped", "kept\n#\nlost\nlost too", {"kept\n"}},
        TipCase{"CrLfCrAndLfLineEnds", "a\r\nb\rc\n#\r\nd\r#\re\n#", {"a\nb\nc\n", "d\n", "e\n"}},
        TipCase{
            "AHashWithMoreCharactersIsText", "#1 tip\n # \n#\n## \n#", {"#1 tip\n # \n", "## \n"}},
        TipCase{"NoHashLineNoTip", "just text\nand more\n", {}}, TipCase{"EmptyText", "", {}}),
    [](const testing::TestParamInfo<TipCase>& info) { return info.param.label; });

TEST(TipFile, ReadsTheFile) {
    test::TempDir dir;
    const auto path = dir.write("config/tip.cfg", "x\r\n#\r\ny\r\n#\r\n");
    EXPECT_EQ(read_tip_file(path.string()), (std::vector<std::string>{"x\n", "y\n"}));
}

TEST(TipFile, AMissingFileIsAnErrorNamingIt) {
    test::TempDir dir;
    const std::string path = (dir.path() / "config" / "tip.cfg").string();
    try {
        read_tip_file(path);
        FAIL() << "read a missing file";
    } catch (const TipFileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + path + "\". No such file or directory");
    }
}

TEST(TipFile, AFolderInPlaceOfTheFileIsAnError) {
    test::TempDir dir;
    dir.write("config/tip.cfg/inside", "#\n");
    EXPECT_THROW(read_tip_file((dir.path() / "config" / "tip.cfg").string()), TipFileError);
}

// The tips that come with the program follow the file's rules: a dozen of them, none empty,
// none longer than the tip window shows.
TEST(TipFile, TheShippedTipsAreADozenUsableTips) {
    auto tips = read_tip_file(std::string(QV_SOURCE_DIR) + "/data/tip.cfg");
    EXPECT_GE(tips.size(), 12u);
    for (const auto& tip : tips) {
        EXPECT_GE(tip.size(), 40u) << tip;
        EXPECT_LE(tip.size(), 420u) << tip;
    }
}

}  // namespace
}  // namespace quorvane
