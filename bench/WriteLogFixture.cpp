// Writes the benchmarks' fixture log (LogFixture.h) of a given number of rows into a data
// directory of its own, for measurements with real processes (bench/report.sh):
//   qv_log_fixture ROWS DIR   gives DIR/config/log.db and DIR/config/dev.ini.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "LogFixture.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::atoll(argv[1]) < 0) {
        std::cerr << "usage: qv_log_fixture ROWS DIR\n";
        return 2;
    }
    namespace fs = std::filesystem;
    try {
        const quorvane::bench::LogFixture made(std::atoll(argv[1]));
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
