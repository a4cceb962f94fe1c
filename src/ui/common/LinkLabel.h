#pragma once

#include <QLabel>

namespace quorvane {

// A text that works as a link: blue, underlined, a pointing hand over it; a click with
// the left button inside it emits clicked().
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace quorvane
