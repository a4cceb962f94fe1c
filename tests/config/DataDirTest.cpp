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
    std::string expected;  // "@cwd" for the current directory
    bool warns = false;
};

const std::string kUser = "[Software\\pwktdd]\nCurrentDir=/srv/user\n";

TEST(DataDir, PrecedenceOfTheTwoStoresAndTheCurrentDirectory) {
    const std::vector<StoreCase> cases = {
        {"machine wins", "[Software\\bdgdd]\nCurrentDir=/srv/machine\n", kUser, "/srv/machine"},
        {"empty machine value", "[Software\\bdgdd]\nCurrentDir=\n", kUser, "/srv/user"},
        {"machine key without the value", "[Software\\bdgdd]\nOther=1\n", kUser, "/srv/user"},
        {"machine value under the user's key", "[Software\\pwktdd]\nCurrentDir=/srv/x\n",
         std::nullopt, "@cwd"},
        {"no machine store", std::nullopt, kUser, "/srv/user"},
        {"no store at all", std::nullopt, std::nullopt, "@cwd"},
        {"empty user value", std::nullopt, "[Software\\pwktdd]\nCurrentDir=\n", "@cwd"},
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
         std::string("[Software\\pwktdd]\nCurrentDir=\x80\x81\x82\n"), "@cwd", true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        DataDirSources sources{dir.str() + "/machine.ini", dir.str() + "/user.ini",
                               dir.str() + "/cwd"};
        if (c.machine) dir.write("machine.ini", *c.machine);
        if (c.user) dir.write("user.ini", *c.user);
        std::ostringstream warnings;

        auto result = settle_data_dir(sources, warnings);

        EXPECT_EQ(result, c.expected == "@cwd" ? sources.current_dir : c.expected) << c.name;
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
    EXPECT_EQ(sources.current_dir, std::filesystem::current_path().string());
}

}  // namespace
}  // namespace quorvane::test
