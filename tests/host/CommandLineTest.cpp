#include <gtest/gtest.h>

#include "host/CommandLine.h"

namespace quorvane {
namespace {

struct SwitchCase {
    std::vector<std::string> arguments;
    bool install;    // the switch INSTALL
    bool requested;  // InstallRequested
};

TEST(CommandLine, SwitchRules) {
    const std::vector<SwitchCase> cases = {
        {{"/install"}, true, true},
        {{"-INSTALL"}, true, true},
        {{"\\Install"}, true, true},  // the backslash counts, here and in the host alike
        {{"INSTALL"}, false, false},  // no switch character
        {{"-installnow"}, false, false},
        {{"--install"}, false, false},
        {{"-"}, false, false},
        {{"/"}, false, false},
        {{"-uninstall"}, false, true},
        {{"x", "/UnInstall"}, false, true},
        {{"-silent"}, false, false},
        {{"+install"}, false, false},
        {{}, false, false},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const auto& a : c.arguments) shown += "[" + a + "]";
        EXPECT_EQ(find_cmd_line_switch(c.arguments, "INSTALL"), c.install) << shown;
        EXPECT_EQ(InstallRequested(c.arguments), c.requested) << shown;
    }
}

TEST(CommandLine, SilentIsFoundBesideTheInstallSwitch) {
    EXPECT_TRUE(find_cmd_line_switch({"-install", "/Silent"}, "SILENT"));
    EXPECT_FALSE(find_cmd_line_switch({"-install", "silent"}, "SILENT"));
}

}  // namespace
}  // namespace quorvane
