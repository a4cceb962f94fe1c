#pragma once

#include <QComboBox>

namespace quorvane {

// A combo box that tells when its list is about to drop down, so that the list can be
// filled afresh at that moment.
class DropDownComboBox : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;
    void showPopup() override;

signals:
    void dropping_down();
};

}  // namespace quorvane
