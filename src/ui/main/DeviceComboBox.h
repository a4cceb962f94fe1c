#pragma once

#include <QComboBox>

#include "usage/DeviceList.h"

namespace quorvane {

// The log filter's device box ComboBoxEx1: "All" and the device list, each with the
// picture of its kind; names may be typed, and are completed from the list. It tells when
// it takes the focus and when its list is about to drop down, so that the list can be
// built afresh at those moments.
class DeviceComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit DeviceComboBox(QWidget* parent = nullptr);

    // "All" with picture 0, then every device with the picture of its kind. The text shown
    // stays as it was.
    void set_devices(const Tdev_list_arr& devices);

    void showPopup() override;

signals:
    void entered();
    void dropping_down();

protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace quorvane
