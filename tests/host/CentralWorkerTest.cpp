// The central log's worker hears of a changed config.ini from a watch of the file: a url set
// while the meter runs is taken up at once, though the worker itself looks only once a minute.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "host/CentralWorker.h"
#include "logdb/CentralReplica.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"
#include "ui/FakeEventLog.h"

namespace quorvane::test {
namespace {

// A url the worker refuses at once, without a server: it holds a password.
constexpr const char* kCentral = "[central]\nurl=host=/nonexistent dbname=q password=secret\n";

void write_file(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::trunc) << text;
}

struct Saving {
    const char* name;
    void (*save)(const std::string& config_ini);
};

const Saving savings[] = {
    {"InPlace", [](const std::string& ini) { write_file(ini, kCentral); }},
    {"ByReplacing",
     [](const std::string& ini) {
         write_file(ini + ".new", kCentral);
         std::filesystem::rename(ini + ".new", ini);
     }},
    {"AsANewFile",
     [](const std::string& ini) {
         std::filesystem::remove(ini);
         write_file(ini, kCentral);
     }},
};

void PrintTo(const Saving& saving, std::ostream* out) {
    *out << saving.name;
}

class CentralWorkerWatch : public ::testing::TestWithParam<Saving> {};

TEST_P(CentralWorkerWatch, TakesUpAUrlSetWhileTheMeterRuns) {
    int argc = 1;
    char name[] = "host_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    TempDir dir;
    const std::string data_dir = dir.str() + "/data";
    provision_data_dir(data_dir);
    const std::string ini = data_dir + "/config/config.ini";
    write_file(ini, "[general]\nstartminimized=1\n");
    FakeEventLog events;
    CentralWorker worker(data_dir, events, "Quorvane");
    // The worker has looked once at start and found no central log.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(worker.replica().problem(), "");

    GetParam().save(ini);
    QElapsedTimer waited;
    waited.start();
    while (worker.replica().problem().empty() && waited.elapsed() < 10'000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_NE(worker.replica().problem().find("holds a password"), std::string::npos)
        << "after " << waited.elapsed() << " ms: '" << worker.replica().problem() << "'";
    worker.stop();
}

INSTANTIATE_TEST_SUITE_P(Saved, CentralWorkerWatch, ::testing::ValuesIn(savings),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane::test
