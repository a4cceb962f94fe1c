#include "ui/common/ModalWindows.h"

#include <QApplication>
#include <QDialog>

namespace quorvane {

void dismiss_modal_windows() {
    QWidget* modal = QApplication::activeModalWidget();
    while (modal != nullptr) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->hide();
        }
        QWidget* next = QApplication::activeModalWidget();
        // A window that does not go would be met again and again.
        if (next == modal) return;
        modal = next;
    }
}

}  // namespace quorvane
