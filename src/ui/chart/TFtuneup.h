#pragma once

#include <QWidget>

namespace quorvane {

// A window of its own, created hidden at start-up; its content comes with its own part.
class TFtuneup : public QWidget {
    Q_OBJECT

public:
    explicit TFtuneup(QWidget* parent = nullptr);
};

}  // namespace quorvane
