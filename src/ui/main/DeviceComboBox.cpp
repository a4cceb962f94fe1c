#include "ui/main/DeviceComboBox.h"

#include <QCompleter>
#include <QFocusEvent>
#include <QLineEdit>

#include "ui/pictures/Pictures.h"

namespace quorvane {

DeviceComboBox::DeviceComboBox(QWidget* parent) : QComboBox(parent) {
    setObjectName("ComboBoxEx1");
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(8);
    setIconSize(QSize(16, 16));
    completer()->setCaseSensitivity(Qt::CaseInsensitive);
    completer()->setCompletionMode(QCompleter::PopupCompletion);
}

void DeviceComboBox::set_devices(const Tdev_list_arr& devices) {
    const QString shown = currentText();
    const QSignalBlocker quiet(this);
    clear();
    addItem(device_picture(0), "All");
    for (const auto& device : devices) {
        addItem(device_picture(device_picture_index(device.kind)),
                QString::fromStdString(device.name));
    }
    // Rebuilding the list must not take away what the user chose or typed.
    const int found = findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0) {
        setCurrentIndex(found);
    } else {
        setCurrentIndex(-1);
        setEditText(shown);
    }
}

void DeviceComboBox::showPopup() {
    emit dropping_down();
    QComboBox::showPopup();
}

void DeviceComboBox::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    if (event->reason() != Qt::PopupFocusReason) emit entered();
}

}  // namespace quorvane
