// The configuration dialog's monthly budget of a device: an amount of money and megabytes
// of charged traffic, stored as Budget_cost and Budget_mbytes in the device's section of
// config/dev.ini, after the device's other keys and only when they change. Blank or 0 means
// no budget.
#include <QLabel>
#include <QLineEdit>

#include "config/IniFile.h"
#include "traffic/TextTrim.h"
#include "ui/config/TFconfig.h"
#include "usage/DeviceBudget.h"

namespace quorvane {

namespace {

QLineEdit* budget_field(QWidget* box, const char* name, const char* caption, const char* tip,
                        int y) {
    auto* label = new QLabel(caption, box);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(380, y, 114, 21);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* field = new QLineEdit(box);
    field->setObjectName(name);
    field->setGeometry(500, y, 69, 21);
    field->setToolTip(tip);
    label->setBuddy(field);
    return field;
}

}  // namespace

void TFconfig::build_budget_fields(QWidget* box) {
    m_budget_cost = budget_field(box, "BudgetCost", "Budget / month :",
                                 "The money this device may cost in a month; blank or 0 for "
                                 "none. A notice comes at 80 % and 100 %.",
                                 224);
    m_budget_mbytes = budget_field(box, "BudgetMbytes", "MB budget / month :",
                                   "The megabytes of charged traffic this device may use in a "
                                   "month; blank or 0 for none. A notice comes at 80 % and 100 %.",
                                   289);
}

void TFconfig::save_budget(IniFile& dev, const std::string& section) {
    // The same number check as the prices: a refused amount keeps its stored value.
    for (auto [field, key] :
         {std::pair{m_budget_cost, kBudgetCostKey}, std::pair{m_budget_mbytes, kBudgetMbytesKey}}) {
        const std::string text = trim_blanks(field->text().toStdString());
        if (!test_number(text)) continue;
        const std::string value = text.empty() ? std::string("0") : text;
        // Written when it changes, so a device without a budget gets no keys for it.
        if (dev.read_string(section, key, "0") != value) dev.write_string(section, key, value);
    }
}

void TFconfig::load_budget(const IniFile& dev, const std::string& section) {
    m_budget_cost->setText(QString::fromStdString(dev.read_string(section, kBudgetCostKey, "0")));
    m_budget_mbytes->setText(
        QString::fromStdString(dev.read_string(section, kBudgetMbytesKey, "0")));
}

}  // namespace quorvane
