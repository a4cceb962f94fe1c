#pragma once

#include <QLocale>

#include "format/RegionalSettings.h"

namespace quorvane {

// The regional settings of a locale: its decimal and group separators and its short date
// and time formats. A format that uses pattern letters the core does not know (the C
// locale's "d MMM yyyy", say) gives way to the core's default for that format.
RegionalSettings regional_settings_of(const QLocale& locale);

}  // namespace quorvane
