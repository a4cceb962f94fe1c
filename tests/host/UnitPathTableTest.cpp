// Units written for paths of every kind, read back as systemd reads them: each line a
// setting (a line that ends in a backslash goes on on the next), values split into words
// with double quotes and C escapes, "%%" for '%'. And systemd's own check of the unit,
// which also finds the executable by the path it read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "platform/linux/service/SystemdUnitInstaller.h"
#include "platform/linux/service/UnitFile.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

// The settings of a unit, "Section/Key" to each value in order.
using Settings = std::multimap<std::string, std::string>;

Settings parse_unit(const std::string& text) {
    Settings settings;
    std::string section, logical, line;
    std::vector<std::string> lines;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\\') {
            logical += line.substr(0, line.size() - 1) + ' ';
            continue;
        }
        logical += line;
        lines.push_back(logical);
        logical.clear();
    }
    for (const auto& l : lines) {
        if (l.empty() || l[0] == '#' || l[0] == ';') continue;
        if (l[0] == '[') {
            section = l.substr(1, l.find(']') - 1);
            continue;
        }
        const auto eq = l.find('=');
        settings.emplace(section + "/" + l.substr(0, eq),
                         eq == std::string::npos ? "" : l.substr(eq + 1));
    }
    return settings;
}

// The words of a value: blanks separate, double quotes group, C escapes everywhere, and
// the specifier "%%" is one '%'.
std::vector<std::string> words(const std::string& value) {
    std::vector<std::string> out;
    std::string word;
    bool in_word = false, quoted = false;
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (!quoted && (c == ' ' || c == '\t')) {
            if (in_word) out.push_back(word);
            word.clear();
            in_word = false;
            continue;
        }
        in_word = true;
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && i + 1 < value.size()) {
            char e = value[++i];
            if (e == 'x' && i + 2 < value.size()) {
                word += static_cast<char>(std::stoi(value.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                word += e == 'n' ? '\n' : e == 't' ? '\t' : e;
            }
        } else if (c == '%' && i + 1 < value.size() && value[i + 1] == '%') {
            word += '%';
            ++i;
        } else {
            word += c;
        }
    }
    if (in_word) out.push_back(word);
    return out;
}

std::string run(const std::string& command) {
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get()) != nullptr) out += buffer;
    return out;
}

bool have_systemd_analyze() {
    return std::system("command -v systemd-analyze >/dev/null 2>&1") == 0;
}

// Names a fuzzer found trouble with, and others a user may well have.
const std::vector<std::string> kAwkwardNames = {
    "plain",      "with space",    "100% sure",        "dollar$HOME",
    "dollar$$",   "quote\"inside", "single'quote",     "back\\slash",
    "ends\\",     "@AFTER@",       "@DATA_DIR_LINES@", "@EXECUTABLE@",
    "semi;colon", "ünïcødé €",     " lead and trail ", "#hash",
    "=equals",    "brace${X}",     "[section]",        "-dash",
};

// systemd reads these right in an executable's path but does not run such an executable.
bool runnable(const std::string& name) {
    return name.find_first_of("\"'\\") == std::string::npos;
}

TEST(UnitPathTable, EveryExecutableAndDataDirectoryPathReadsBackAsItWas) {
    TempDir dir;
    for (const auto& name : kAwkwardNames) {
        SCOPED_TRACE(name);
        ServiceDefinition service{"QVANESVC",
                                  "Quorvane server edition",
                                  dir.str() + "/bin/" + (runnable(name) ? name : "x") + "/quorvane",
                                  true,
                                  true,
                                  {"Netman", "RASMan"},
                                  dir.str() + "/data/" + name};
        const auto settings = parse_unit(unit_file_text(service));

        const std::vector<std::string> keys_expected = {"Install/WantedBy",
                                                        "Service/DynamicUser",
                                                        "Service/Environment",
                                                        "Service/ExecStart",
                                                        "Service/NoNewPrivileges",
                                                        "Service/PrivateTmp",
                                                        "Service/ProtectHome",
                                                        "Service/ProtectSystem",
                                                        "Service/ReadWritePaths",
                                                        "Service/StateDirectory",
                                                        "Service/StateDirectoryMode",
                                                        "Service/Type",
                                                        "Service/UMask",
                                                        "Unit/After",
                                                        "Unit/Description"};
        std::vector<std::string> keys;
        for (const auto& [key, value] : settings) keys.push_back(key);
        EXPECT_EQ(keys, keys_expected) << "no setting of its own made from a path";

        EXPECT_THAT(words(settings.find("Service/ExecStart")->second),
                    ::testing::ElementsAre(service.executable_path));
        EXPECT_THAT(words(settings.find("Service/ReadWritePaths")->second),
                    ::testing::ElementsAre("-" + service.data_dir));
        EXPECT_EQ(settings.find("Unit/After")->second,
                  "network.target NetworkManager.service ModemManager.service");
    }
}

TEST(UnitPathTable, SystemdFindsTheExecutableByThePathItRead) {
    if (!have_systemd_analyze()) GTEST_SKIP() << "systemd-analyze is not installed";
    TempDir dir;
    int serial = 0;
    for (const auto& name : kAwkwardNames) {
        SCOPED_TRACE(name);
        if (!runnable(name)) continue;
        const fs::path bin = dir.path() / "bin" / name;
        fs::create_directories(bin);
        fs::copy_file("/usr/bin/true", bin / "quorvane");
        fs::create_directories(dir.path() / "data" / name);
        const fs::path units = dir.path() / ("units" + std::to_string(++serial));
        fs::create_directories(units);
        SystemdUnitInstaller installer(units.string());
        installer.create_service({"QVANESVC",
                                  "Quorvane server edition",
                                  (bin / "quorvane").string(),
                                  true,
                                  true,
                                  {},
                                  (dir.path() / "data" / name).string()});
        const auto said =
            run("systemd-analyze verify '" + installer.unit_path("QVANESVC") + "' 2>&1");
        EXPECT_EQ(said, "") << "systemd says nothing of a sound unit";
        // The same unit with a path that is not there: systemd says so, so it looked.
        fs::remove(bin / "quorvane");
        const auto missing =
            run("systemd-analyze verify '" + installer.unit_path("QVANESVC") + "' 2>&1");
        EXPECT_NE(missing.find("quorvane"), std::string::npos) << missing;
    }
}

TEST(UnitPathTable, APathWithAControlCharacterIsRefusedWithAClearMessage) {
    struct Case {
        std::string executable;
        std::string data_dir;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"/opt/a\nExecStartPre=/bin/evil/quorvane", "",
         "The executable's path \"/opt/a\\nExecStartPre=/bin/evil/quorvane\" holds a control "
         "character, which a systemd unit cannot name"},
        {"/opt/a\r/quorvane", "", "The executable's path \"/opt/a\\r/quorvane\" holds a control"},
        {"/usr/bin/quorvane", "/srv/\x01x",
         "The data directory \"/srv/\\x01x\" holds a control character"},
        {"/usr/bin/quorvane", "/srv/tab\there", "The data directory \"/srv/tab\\there\""},
        {"/usr/bin/quorvane", "/srv/del\x7f", "The data directory \"/srv/del\\x7f\""},
    };
    for (const auto& c : cases) {
        ServiceDefinition service{"QVANESVC", "Q", c.executable, true, true, {}, c.data_dir};
        try {
            unit_file_text(service);
            ADD_FAILURE() << c.message;
        } catch (const UnitPathError& error) {
            EXPECT_THAT(error.what(), ::testing::StartsWith(c.message));
        }
    }
    for (const char* name : {"/opt/q\"x/quorvane", "/opt/q'x/quorvane", "/opt/q\\x/quorvane"}) {
        try {
            unit_file_text({"QVANESVC", "Q", name, true, true, {}, ""});
            ADD_FAILURE() << name;
        } catch (const UnitPathError& error) {
            EXPECT_EQ(error.what(), "The executable's path \"" + std::string(name) +
                                        "\" holds a quote or a backslash, which systemd does "
                                        "not run");
        }
    }
    // And nothing is written.
    TempDir units;
    SystemdUnitInstaller installer(units.str());
    EXPECT_THROW(installer.create_service({"QVANESVC", "Q", "/opt/a\nb", true, true, {}, ""}),
                 UnitPathError);
    EXPECT_TRUE(fs::is_empty(units.path()));
}

}  // namespace
}  // namespace quorvane::test
