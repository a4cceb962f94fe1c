// Writes the benchmarks' fixture log (LogFixture.h) of a given number of rows into a data
// directory of its own, for measurements with real processes (bench/report.sh):
//   qv_log_fixture ROWS DIR [--in-start-order]   gives DIR/config/log.db and
//   DIR/config/dev.ini; with --in-start-order the same rows written in the order they start.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "LogFixture.h"

int main(int argc, char** argv) {
    const bool in_start_order = argc == 4 && std::string(argv[3]) == "--in-start-order";
    if ((argc != 3 && !in_start_order) || std::atoll(argv[1]) < 0) {
        std::cerr << "usage: qv_log_fixture ROWS DIR [--in-start-order]\n";
        return 2;
    }
    namespace fs = std::filesystem;
    try {
        using quorvane::bench::LogFixture;
        const LogFixture written(std::atoll(argv[1]));
        std::unique_ptr<LogFixture> in_order;
        if (in_start_order) {
            in_order = std::make_unique<LogFixture>(written, LogFixture::InStartOrder{});
        }
        const LogFixture& made = in_order ? *in_order : written;
        const fs::path config = fs::path(argv[2]) / "config";
        fs::create_directories(config);
        fs::copy_file(made.log_path(), config / "log.db", fs::copy_options::overwrite_existing);
        fs::copy_file(made.ini_path(), config / "dev.ini", fs::copy_options::overwrite_existing);
    } catch (const std::exception& error) {
        std::cerr << "qv_log_fixture: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
