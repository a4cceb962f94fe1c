#include "report/CLocaleRegional.h"

#include <clocale>

namespace quorvane {

RegionalSettings regional_settings_of_c_locale() {
    RegionalSettings regional;
    const std::lconv* numeric = std::localeconv();
    if (numeric != nullptr) {
        if (numeric->decimal_point != nullptr && *numeric->decimal_point != '\0') {
            regional.decimal_separator = numeric->decimal_point;
        }
        // The C and POSIX locales group no digits: an empty separator.
        regional.thousands_separator =
            numeric->thousands_sep != nullptr ? numeric->thousands_sep : "";
    }
    return regional;
}

}  // namespace quorvane
