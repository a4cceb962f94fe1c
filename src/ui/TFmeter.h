#pragma once

#include <QWidget>

namespace quorvane {

// A window of its own, created hidden at start-up; its content comes with its own part.
class TFmeter : public QWidget {
    Q_OBJECT

public:
    explicit TFmeter(QWidget* parent = nullptr);
};

}  // namespace quorvane
