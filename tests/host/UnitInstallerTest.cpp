#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/SystemError.h"
#include "platform/linux/service/SystemdUnitInstaller.h"
#include "platform/linux/service/UnitFile.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

ServiceDefinition quorvane_service(const std::string& executable) {
    return ServiceDefinition{"QVANESVC", "Quorvane server edition", executable, true,
                             true,       {"Netman", "RASMan"},      ""};
}

// An executable that exists, for the unit's ExecStart=.
std::string some_executable() {
    return fs::canonical("/proc/self/exe").string();
}

TEST(UnitFile, TheUnitOfTheService) {
    auto text = unit_file_text(quorvane_service("/opt/quorvane/bin/quorvane"));
    for (const char* line :
         {"\nDescription=Quorvane server edition\n",
          "\nAfter=network.target NetworkManager.service ModemManager.service\n", "\nType=notify\n",
          "\nExecStart=/opt/quorvane/bin/quorvane\n", "\nEnvironment=QT_QPA_PLATFORM=offscreen\n",
          "\nWantedBy=multi-user.target\n", "\nDynamicUser=yes\n", "\nStateDirectory=quorvane\n",
          "\nStateDirectoryMode=0750\n", "\nUMask=0027\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(text.find("\nUser="), std::string::npos);
    EXPECT_EQ(text.find("\nWorkingDirectory="), std::string::npos) << "the program needs none";
    // With the package's system user: that user, in the group that reads logs.
    auto system_user =
        unit_file_text(quorvane_service("/usr/bin/quorvane"), ServiceAccount::SystemUser);
    EXPECT_NE(system_user.find("\nUser=quorvane\nGroup=adm\n"), std::string::npos);
    EXPECT_EQ(system_user.find("\nDynamicUser="), std::string::npos);
    EXPECT_EQ(text.find("\nRequires="), std::string::npos);
    EXPECT_EQ(text.find("\nWants="), std::string::npos);
    EXPECT_EQ(text.find('@'), std::string::npos) << "every placeholder filled";
}

TEST(UnitFile, PathsAndTextsAreEscapedForSystemd) {
    EXPECT_EQ(exec_word("/usr/bin/quorvane"), "/usr/bin/quorvane");
    EXPECT_EQ(exec_word("/opt/my apps/quorvane"), "\"/opt/my apps/quorvane\"");
    EXPECT_EQ(exec_word("/opt/100%/q$x"), "\"/opt/100%%/q$x\"") << "no $ expansion in a path";
    EXPECT_EQ(dependency_unit("netman"), "NetworkManager.service");
    EXPECT_EQ(dependency_unit("RASMan"), "ModemManager.service");
    EXPECT_EQ(dependency_unit("foo"), "foo.service");
    auto text = unit_file_text({"S", "50% off", "/bin/x", false, true, {}, ""});
    EXPECT_NE(text.find("Description=50%% off\n"), std::string::npos);
}

// The service changes nothing on the machine but its data directory, which it may write; a
// path with blanks or '%' stays one word.
TEST(UnitFile, TheServiceIsHardenedAndWritesOnlyItsDataDirectory) {
    auto service = quorvane_service("/usr/bin/quorvane");
    service.data_dir = "/var/lib/quorvane";
    auto text = unit_file_text(service);
    for (const char* line :
         {"\nNoNewPrivileges=yes\n", "\nProtectSystem=strict\n", "\nProtectHome=read-only\n",
          "\nPrivateTmp=yes\n", "\nReadWritePaths=-/var/lib/quorvane\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(text.find('@'), std::string::npos) << "every placeholder filled";
    EXPECT_EQ(path_word("-", "/srv/my data"), "\"-/srv/my data\"");
    EXPECT_EQ(path_word("-", "/srv/100%\"q\""), "\"-/srv/100%%\\\"q\\\"\"");
    EXPECT_EQ(unit_file_text(quorvane_service("/usr/bin/quorvane")).find("ReadWritePaths="),
              std::string::npos)
        << "no data directory, no line";
}

TEST(SystemdUnitInstaller, TheHardenedUnitVerifiesClean) {
    if (std::system("command -v systemd-analyze >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "systemd-analyze is not installed";
    }
    TempDir units;
    SystemdUnitInstaller installer(units.str());
    installer.open_manager();
    auto service = quorvane_service(some_executable());
    for (const char* data : {"data", "my data 100%"}) {
        service.name = std::string("QVTEST") + (data[0] == 'd' ? "1" : "2");
        service.data_dir = (units.path() / data).string();
        fs::create_directories(service.data_dir);
        installer.create_service(service);
        auto verify = "systemd-analyze verify '" + installer.unit_path(service.name) + "' 2>&1";
        EXPECT_EQ(std::system(verify.c_str()), 0) << verify;
        EXPECT_EQ(installer.installed_note(service.name),
                  "Unit file: " + installer.unit_path(service.name) +
                      "\nStart it with: systemctl start " + service.name + "\n");
    }
}

TEST(SystemdUnitInstaller, InstallsEnablesAndRemovesTheUnit) {
    TempDir units;
    SystemdUnitInstaller installer(units.str());
    installer.open_manager();
    auto service = quorvane_service(some_executable());

    installer.create_service(service);

    auto unit = installer.unit_path("QVANESVC");
    EXPECT_EQ(unit, units.str() + "/QVANESVC.service");
    EXPECT_EQ(units.read("QVANESVC.service"), unit_file_text(service));
    EXPECT_EQ(fs::status(unit).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    auto link = units.path() / "multi-user.target.wants/QVANESVC.service";
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), unit);
    for (auto& entry : fs::directory_iterator(units.path())) {
        EXPECT_EQ(entry.path().filename().string().rfind(".quorvane-unit", 0), std::string::npos)
            << "no temporary file left";
    }

    if (std::system("command -v systemd-analyze >/dev/null 2>&1") == 0) {
        auto verify = "systemd-analyze verify '" + unit + "' 2>&1";
        EXPECT_EQ(std::system(verify.c_str()), 0) << verify;
    }

    EXPECT_THROW(installer.create_service(service), SystemError);
    EXPECT_EQ(units.read("QVANESVC.service"), unit_file_text(service)) << "never overwritten";

    installer.delete_service("QVANESVC");
    EXPECT_FALSE(fs::exists(unit));
    EXPECT_FALSE(fs::is_symlink(link));
    try {
        installer.delete_service("QVANESVC");
        ADD_FAILURE() << "a second removal must fail";
    } catch (const SystemError& error) {
        EXPECT_EQ(error.code(), 2u);
    }
}

TEST(SystemdUnitInstaller, AUnitDirectoryThatCannotBeWrittenIsAnUnreachableManager) {
    TempDir dir;
    dir.write("file", "");
    for (auto path : {dir.str() + "/missing", dir.str() + "/file"}) {
        SystemdUnitInstaller installer(path);
        try {
            installer.open_manager();
            ADD_FAILURE() << path;
        } catch (const SystemError& error) {
            EXPECT_NE(error.code(), 0u);
            EXPECT_NE(std::string(error.what()).find("Cannot reach the service manager"),
                      std::string::npos);
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos)
                << "the message names the directory";
        }
    }
}

TEST(SystemdUnitInstaller, UnitDirectoryComesFromTheEnvironment) {
    setenv("QUORVANE_UNIT_DIR", "/tmp/units-here", 1);
    EXPECT_EQ(SystemdUnitInstaller::default_unit_dir(), "/tmp/units-here");
    setenv("QUORVANE_UNIT_DIR", "", 1);
    EXPECT_EQ(SystemdUnitInstaller::default_unit_dir(), "/etc/systemd/system");
    unsetenv("QUORVANE_UNIT_DIR");
    EXPECT_EQ(SystemdUnitInstaller::default_unit_dir(), "/etc/systemd/system");
}

}  // namespace
}  // namespace quorvane::test
