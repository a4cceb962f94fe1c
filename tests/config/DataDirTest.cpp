#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

#include "config/DataDir.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

struct StoreCase {
    const char* name;
    std::optional<std::string> machine;  // the machine store's text; nullopt: no file
    std::optional<std::string> user;
    std::string expected;  // "@default" for the default directory
    bool warns = false;
};

const std::string kUser = "[Software\\pwktdd]\nCurrentDir=/srv/user\n";

TEST(DataDir, PrecedenceOfTheTwoStoresAndTheCurrentDirectory) {
    const std::vector<StoreCase> cases = {
        {"machine wins", "[Software\\bdgdd]\nCurrentDir=/srv/machine\n", kUser, "/srv/machine"},
        {"empty machine value", "[Software\\bdgdd]\nCurrentDir=\n", kUser, "/srv/user"},
        {"machine key without the value", "[Software\\bdgdd]\nOther=1\n", kUser, "/srv/user"},
        {"machine value under the user's key", "[Software\\pwktdd]\nCurrentDir=/srv/x\n",
         std::nullopt, "@default"},
        {"no machine store", std::nullopt, kUser, "/srv/user"},
        {"no store at all", std::nullopt, std::nullopt, "@default"},
        {"empty user value", std::nullopt, "[Software\\pwktdd]\nCurrentDir=\n", "@default"},
        {"names ignore case", "[software\\BDGDD]\ncurrentdir=/srv/machine\n", kUser,
         "/srv/machine"},
        {"trailing separator kept", "[Software\\bdgdd]\nCurrentDir=/srv/machine/\n", kUser,
         "/srv/machine/"},
        {"UTF-8 text", std::nullopt, "[Software\\pwktdd]\nCurrentDir=/srv/données\n",
         "/srv/données"},
        {"control bytes are not text", "[Software\\bdgdd]\nCurrentDir=/srv/\x01\x02x\n", kUser,
         "/srv/user", true},
        {"invalid UTF-8 is not text", "[Software\\bdgdd]\nCurrentDir=/srv/\xc3\x28\xff\n", kUser,
         "/srv/user", true},
        {"binary garbage in the user store", std::nullopt,
         std::string("[Software\\pwktdd]\nCurrentDir=\x80\x81\x82\n"), "@default", true},
        {"four-byte UTF-8 text", std::nullopt,
         "[Software\\pwktdd]\nCurrentDir=/srv/\xf0\x9f\x93\x88\n", "/srv/\xf0\x9f\x93\x88"},
        {"a surrogate is not text", "[Software\\bdgdd]\nCurrentDir=/srv/\xed\xa0\x80\n", kUser,
         "/srv/user", true},
        {"an overlong three-byte form is not text",
         "[Software\\bdgdd]\nCurrentDir=/srv/\xe0\x80\xaf\n", kUser, "/srv/user", true},
        {"a code point past U+10FFFF is not text",
         "[Software\\bdgdd]\nCurrentDir=/srv/\xf4\x90\x80\x80\n", kUser, "/srv/user", true},
        {"a cut-off sequence at the end is not text",
         "[Software\\bdgdd]\nCurrentDir=/srv/\xe2\x82\n", kUser, "/srv/user", true},
        {"DEL is a control character", "[Software\\bdgdd]\nCurrentDir=/srv/\x7f\n", kUser,
         "/srv/user", true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        DataDirSources sources{dir.str() + "/machine.ini", dir.str() + "/user.ini",
                               dir.str() + "/cwd"};
        if (c.machine) dir.write("machine.ini", *c.machine);
        if (c.user) dir.write("user.ini", *c.user);
        std::ostringstream warnings;

        auto result = settle_data_dir(sources, warnings);

        EXPECT_EQ(result, c.expected == "@default" ? sources.default_dir : c.expected) << c.name;
        EXPECT_EQ(!warnings.str().empty(), c.warns) << c.name << ": " << warnings.str();
    }
}

TEST(DataDir, AStoreThatCannotBeReadIsPassedOverSilently) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "machine.ini");  // a folder, not a file
    dir.write("user.ini", kUser);
    std::ostringstream warnings;

    auto result =
        settle_data_dir({dir.str() + "/machine.ini", dir.str() + "/user.ini", "/cwd"}, warnings);

    EXPECT_EQ(result, "/srv/user");
    EXPECT_EQ(warnings.str(), "");
}

TEST(DataDir, WarningNamesTheStoreWhoseValueWasPassedOver) {
    TempDir dir;
    dir.write("machine.ini", "[Software\\bdgdd]\nCurrentDir=\x1b[31m\n");
    std::ostringstream warnings;
    settle_data_dir({dir.str() + "/machine.ini", "", "/cwd"}, warnings);
    EXPECT_NE(warnings.str().find(dir.str() + "/machine.ini"), std::string::npos);
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(DataDir, UserStoreFollowsXdgConfigHome) {
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(default_data_dir_sources().user_store, "/cfg/quorvane/registry.ini");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative/cfg");  // invalid: ignored
        EXPECT_EQ(default_data_dir_sources().user_store,
                  "/home/someone/.config/quorvane/registry.ini");
    }
    ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    auto sources = default_data_dir_sources();
    EXPECT_EQ(sources.user_store, "/home/someone/.config/quorvane/registry.ini");
    EXPECT_EQ(sources.machine_store, "/etc/quorvane/registry.ini");
}

TEST(DataDir, DefaultDirectoryFollowsXdgDataHomeOrTheServicesStateDirectory) {
    struct Case {
        const char* name;
        const char* home;
        const char* data_home;
        const char* state_directory;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"XDG_DATA_HOME", "/home/someone", "/data", nullptr, "/data/quorvane"},
        {"unset XDG_DATA_HOME", "/home/someone", nullptr, nullptr,
         "/home/someone/.local/share/quorvane"},
        {"relative XDG_DATA_HOME is invalid", "/home/someone", "rel", nullptr,
         "/home/someone/.local/share/quorvane"},
        {"HOME with a trailing slash", "/home/someone/", nullptr, nullptr,
         "/home/someone/.local/share/quorvane"},
        {"a service's state directory", "/home/someone", "/data", "/var/lib/quorvane",
         "/var/lib/quorvane"},
        {"the first of several state directories", nullptr, nullptr,
         "/var/lib/quorvane:/var/lib/other", "/var/lib/quorvane"},
    };
    for (const auto& c : cases) {
        ScopedEnv home("HOME", c.home != nullptr ? c.home : "/home/fallback");
        ScopedEnv data("XDG_DATA_HOME", c.data_home);
        ScopedEnv state("STATE_DIRECTORY", c.state_directory);
        EXPECT_EQ(default_data_dir_sources().default_dir, c.expected) << c.name;
    }
}

}  // namespace
}  // namespace quorvane::test
