#pragma once

#include "format/RegionalSettings.h"

namespace quorvane::test {

// Thousands "," and decimal ".".
inline RegionalSettings point_decimal() {
    return RegionalSettings{".", ",", "M/d/yyyy", "HH:mm"};
}

// Thousands "." and decimal ",".
inline RegionalSettings comma_decimal() {
    return RegionalSettings{",", ".", "dd.MM.yyyy", "HH:mm"};
}

}  // namespace quorvane::test
