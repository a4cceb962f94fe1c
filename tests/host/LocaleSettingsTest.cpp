#include <gtest/gtest.h>

#include "app/LocaleSettings.h"

namespace quorvane {
namespace {

TEST(LocaleSettings, SeparatorsAndShortFormatsOfTheLocale) {
    auto german = regional_settings_of(QLocale("de_DE"));
    EXPECT_EQ(german.decimal_separator, ",");
    EXPECT_EQ(german.thousands_separator, ".");
    EXPECT_EQ(german.short_date_format, "dd.MM.yy");
    EXPECT_EQ(german.short_time_format, "HH:mm");

    auto british = regional_settings_of(QLocale("en_GB"));
    EXPECT_EQ(british.decimal_separator, ".");
    EXPECT_EQ(british.short_date_format, "dd/MM/yyyy");
}

TEST(LocaleSettings, FormatsWithLettersTheCoreDoesNotKnowFallBackToItsDefaults) {
    // The C locale writes its short date with a month name ("d MMM yyyy").
    auto c = regional_settings_of(QLocale::c());
    EXPECT_EQ(c.short_date_format, RegionalSettings{}.short_date_format);
    EXPECT_EQ(c.short_time_format, "HH:mm:ss");
    EXPECT_EQ(c.decimal_separator, ".");
}

}  // namespace
}  // namespace quorvane
