#pragma once

#include <QWidget>

namespace quorvane {

// The about box: the logo, the product name and version, the home page and the support
// address as links, and a button that closes it. Created hidden at start-up.
class TFabout : public QWidget {
    Q_OBJECT

public:
    explicit TFabout(QWidget* parent = nullptr);

    // Shows the box, or brings it to the front when it is open already.
    void bring_up();
};

}  // namespace quorvane
