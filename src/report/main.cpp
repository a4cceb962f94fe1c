// quorvane-report: what Quorvane logged, as a table, CSV or JSON, read from the same data
// directory the program uses. Core only: no Qt, no window, no display.
#include <clocale>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "report/CLocaleRegional.h"
#include "report/ReportCommand.h"

int main(int argc, char** argv) {
    using namespace quorvane;
    std::setlocale(LC_ALL, "");
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    const ReportEnvironment environment{
        default_data_dir_sources(),
        LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec},
        regional_settings_of_c_locale()};
    try {
        return run_report(std::vector<std::string>(argv + 1, argv + argc), environment, std::cout,
                          std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "quorvane-report: " << error.what() << '\n';
        return kReportDataError;
    }
}
