#include <gtest/gtest.h>

#include "config/CentralSettings.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

struct SettingsCase {
    const char* ini;
    bool replicates;
    const char* url;
    const char* host;
};

TEST(CentralSettings, TheSectionSaysWhetherAndWhereToPush) {
    const SettingsCase cases[] = {
        {"", false, "", ""},
        {"[general]\nstartminimized=0\n", false, "", ""},
        {"[central]\nhost=alpha\n", false, "", ""},
        {"[central]\nurl=   \n", false, "", ""},
        {"[central]\nurl=host=db dbname=q\n", true, "host=db dbname=q", "this-machine"},
        {"[CENTRAL]\nURL= service=quorvane \nHost= alpha \n", true, "service=quorvane", "alpha"},
        {"[central]\nurl=postgresql://m@db/q\nhost=\n", true, "postgresql://m@db/q",
         "this-machine"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        test::TempDir dir;
        const auto path = dir.write("config/config.ini", c.ini).string();
        const auto settings = read_central_settings(path, "this-machine");
        ASSERT_EQ(settings.has_value(), c.replicates);
        if (!settings) continue;
        EXPECT_EQ(settings->url, c.url);
        EXPECT_EQ(settings->host, c.host);
    }
}

TEST(CentralSettings, AMissingFileMeansNoReplication) {
    test::TempDir dir;
    EXPECT_FALSE(read_central_settings(dir.str() + "/config/config.ini", "h").has_value());
}

}  // namespace
}  // namespace quorvane
