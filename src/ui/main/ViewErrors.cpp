#include "ui/main/ViewErrors.h"

#include "ui/common/MessageBox.h"
#include "ui/main/SummaryPanel.h"
#include "usage/AmountFormat.h"
#include "usage/DatabaseView.h"
#include "usage/LogFilterRules.h"
#include "usage/LogRowTexts.h"

#include <limits>

namespace quorvane {

namespace {

struct BoxWords {
    const char* name;
    const char* reason;
};

BoxWords box_words(FilterBox box) {
    switch (box) {
        case FilterBox::from_day:
            return {"\"from\" day", "which is not a day of the month"};
        case FilterBox::from_month:
            return {"\"from\" month", "which is not the name of a month"};
        case FilterBox::from_year:
            return {"\"from\" year", "which is not a year from 1 to 9999"};
        case FilterBox::to_day:
            return {"\"to\" day", "which is not a day of the month"};
        case FilterBox::to_month:
            return {"\"to\" month", "which is not the name of a month"};
        case FilterBox::to_year:
            return {"\"to\" year", "which is not a year from 1 to 9999"};
        case FilterBox::none:
            break;
    }
    return {"filter", "which is not a valid filter"};
}

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QString view_error_text(const std::exception& error, const RegionalSettings& regional) {
    if (const auto* box = dynamic_cast<const FilterBoxError*>(&error)) {
        const BoxWords words = box_words(box->box);
        return QString("The %1 box holds \"%2\", %3.\nCorrect the box and try again.")
            .arg(QString::fromUtf8(words.name), text_of(box->text),
                 QString::fromUtf8(words.reason));
    }
    if (const auto* reversed = dynamic_cast<const ReversedPeriodError*>(&error)) {
        return QString(
                   "The period starts on %1, after it ends on %2: no connection lies in it.\n"
                   "Choose a \"from\" date on or before the \"to\" date.")
            .arg(text_of(shown_date(reversed->from, regional)),
                 text_of(shown_date(reversed->to, regional)));
    }
    if (const auto* view = dynamic_cast<const DatabaseViewError*>(&error)) {
        const QString largest =
            text_of(amount_to_str(std::numeric_limits<int64_t>::max(), regional));
        return QString(
                   "The costs of the connections of \"%1\" cannot be worked out: %2.\n"
                   "Amounts go up to %3. Check the device's prices on the Device page of "
                   "Configure.")
            .arg(text_of(view->device), text_of(view->what()), largest);
    }
    return text_of(error.what());
}

void show_no_summary(SummaryPanel* summary) {
    summary->show_summary(SummaryTexts{"--", "--", "--", "--"});
    summary->set_device("--");
}

void show_view_error(QWidget* parent, const std::exception& error,
                     const RegionalSettings& regional) {
    MessageBox::error(parent, "Quorvane", view_error_text(error, regional));
}

}  // namespace quorvane
