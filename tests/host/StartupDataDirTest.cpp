// Start-up's data directory: the default one made from the installed data when no store
// names one, a named one used as it is, the lock taken per data directory, and what keeps
// the log from recording shown in the main window and the tray's tool-tip.
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/HostFixture.h"
#include "host/InstanceLockName.h"
#include "logdb/LogDatabase.h"
#include "ui/main/Forms.h"
#include "ui/main/LogStatusLine.h"
#include "ui/main/TrayIcon.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

class StartupDataDir : public HostFixture {
protected:
    // No store, and the default directory below the test's folder.
    StartupPorts ports_without_stores() {
        auto p = ports();
        p.data_dir_sources = {dir.str() + "/no-machine.ini", dir.str() + "/no-user.ini",
                              default_dir()};
        return p;
    }
    std::string default_dir() const { return dir.str() + "/xdg-data/quorvane"; }

    // Runs on the desktop until `look` has seen the running program, then stops it.
    void run_and_look(StartupPorts& p, const std::function<void(TFmain&)>& look) {
        auto& app = make_application();
        manager.dispatcher_result = kErrorFailedServiceControllerConnect;
        looked = false;
        QTimer probe;
        probe.setInterval(20);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            if (!in_desktop_mode()) return;
            probe.stop();
            look(*application->forms()->Fmain);
            looked = true;
            stop_signals->raise_stop();
        });
        probe.start();
        EXPECT_EQ(program_body(app, p), 0);
        EXPECT_TRUE(looked);
    }

    bool looked = false;
};

TEST_F(StartupDataDir, WithoutAStoreTheDefaultDirectoryIsMadeFromTheInstalledData) {
    fs::create_directories(default_dir() + "/config");
    dir.write("xdg-data/quorvane/config/tip.cfg", "my own tip\n#\n");
    auto p = ports_without_stores();
    run_and_look(p, [&](TFmain& main_window) {
        EXPECT_EQ(main_window.data_dir(), default_dir());
        EXPECT_TRUE(main_window.log_status()->problem().isEmpty())
            << main_window.log_status()->problem().toStdString();
        EXPECT_TRUE(main_window.log_status()->isHidden());
        EXPECT_EQ(main_window.tray()->icon()->toolTip(), "Quorvane");
    });

    EXPECT_EQ(read_file(default_dir() + "/config/tip.cfg"), "my own tip\n#\n")
        << "a file that exists is never touched";
    EXPECT_EQ(read_file(default_dir() + "/qvane help/qvane.html"),
              read_file(source_path("data/qvane help/qvane.html")));
    EXPECT_TRUE(fs::is_regular_file(default_dir() + "/config/dev.ini"));
    LogDatabase log(default_dir() + "/config/log.db");
    EXPECT_NO_THROW(log.open()) << "a working log from the shipped schema";
    EXPECT_EQ(lock.asked, std::vector<std::string>{instance_lock_name(default_dir())});
    EXPECT_TRUE(events.entries().empty());
}

TEST_F(StartupDataDir, ADirectoryAStoreNamesIsUsedAsItIsAndItsMissingLogIsShown) {
    const std::string named = dir.str() + "/named";
    fs::create_directories(named + "/config");
    dir.write("user/registry.ini", "[Software\\pwktdd]\nCurrentDir=" + named + "\n");
    auto p = ports();
    const std::string expected =
        "No log database: " + named + "/config/log.db is missing, so nothing is recorded.";
    run_and_look(p, [&](TFmain& main_window) {
        EXPECT_EQ(main_window.log_status()->problem().toStdString(), expected);
        EXPECT_FALSE(main_window.log_status()->isHidden());
        EXPECT_EQ(main_window.tray()->icon()->toolTip().toStdString(), "Quorvane\n" + expected);
    });
    EXPECT_FALSE(fs::exists(named + "/config/log.db")) << "the administrator's directory";
    EXPECT_FALSE(fs::exists(named + "/config/tip.cfg"));
}

TEST_F(StartupDataDir, ADefaultDirectoryThatCannotBeMadeIsSaidAndShown) {
    dir.write("xdg-data", "a file where the folder would go");
    auto p = ports_without_stores();
    run_and_look(p, [&](TFmain& main_window) {
        EXPECT_EQ(main_window.log_status()->problem().toStdString(),
                  "No log database: " + default_dir() +
                      "/config/log.db is missing, so nothing is recorded.");
    });
    ASSERT_FALSE(events.entries().empty());
    EXPECT_EQ(
        events.entries()[0].second.rfind("cannot make the data directory " + default_dir(), 0), 0u)
        << events.entries()[0].second;
}

TEST_F(StartupDataDir, TheLogShownAgainOnceItWorks) {
    auto p = ports();
    const std::string db = data_dir() + "/config/log.db";
    fs::rename(db, db + ".away");
    auto& app = make_application();
    manager.dispatcher_result = kErrorFailedServiceControllerConnect;
    int step = 0;
    QTimer probe;
    probe.setInterval(50);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!in_desktop_mode()) return;
        auto* line = application->forms()->Fmain->log_status();
        if (step == 0 && !line->problem().isEmpty()) {
            fs::rename(db + ".away", db);
            step = 1;
        } else if (step == 1 && line->problem().isEmpty()) {
            EXPECT_EQ(application->forms()->Fmain->tray()->icon()->toolTip(), "Quorvane");
            step = 2;
            probe.stop();
            stop_signals->raise_stop();
        }
    });
    probe.start();
    EXPECT_EQ(program_body(app, p), 0);
    EXPECT_EQ(step, 2) << "the line went once the log was back";
}

TEST_F(StartupDataDir, ASecondStartOnTheSameDirectoryAsksTheFirstToShowItself) {
    auto& app = make_application();
    lock.free = false;
    auto p = ports();

    EXPECT_EQ(program_body(app, p), 0);

    const auto name = instance_lock_name(data_dir());
    EXPECT_EQ(lock.asked, std::vector<std::string>{name});
    EXPECT_EQ(lock.shown, std::vector<std::string>{name});
    EXPECT_EQ(app.forms(), nullptr);
}

}  // namespace
}  // namespace quorvane::test
