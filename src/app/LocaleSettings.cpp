#include "app/LocaleSettings.h"

#include <QRegularExpression>
#include <QStringList>

namespace quorvane {

namespace {

bool uses_known_letters(const QString& format) {
    static const QStringList known = {"d", "dd", "M", "MM", "yy", "yyyy", "h",  "hh",
                                      "H", "HH", "m", "mm", "s",  "ss",   "AP", "ap"};
    if (format.isEmpty() || format.contains('\'')) return false;
    static const QRegularExpression runs("([A-Za-z])\\1*");
    for (auto match = runs.globalMatch(format); match.hasNext();) {
        auto run = match.next().captured(0);
        if (!known.contains(run)) return false;
    }
    return true;
}

}  // namespace

RegionalSettings regional_settings_of(const QLocale& locale) {
    RegionalSettings settings;
    settings.decimal_separator = locale.decimalPoint().toStdString();
    settings.thousands_separator = locale.groupSeparator().toStdString();
    auto date = locale.dateFormat(QLocale::ShortFormat);
    auto time = locale.timeFormat(QLocale::ShortFormat);
    if (uses_known_letters(date)) settings.short_date_format = date.toStdString();
    if (uses_known_letters(time)) settings.short_time_format = time.toStdString();
    return settings;
}

}  // namespace quorvane
