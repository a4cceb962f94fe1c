#pragma once

#include <QWidget>

namespace quorvane {

// A window of its own, created hidden at start-up; its content comes with its own part.
class TFconfig : public QWidget {
    Q_OBJECT

public:
    explicit TFconfig(QWidget* parent = nullptr);
};

}  // namespace quorvane
