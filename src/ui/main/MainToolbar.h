#pragma once

#include <QWidget>

class QToolButton;

namespace quorvane {

enum class ToolbarPicture;

// The toolbar panel at the top of the main window: six flat 41 by 41 picture buttons with
// a caption under each (Configure, Meter, Statistic, Help, Home, Exit), the hidden
// "Tune up" button, the banner at the right and the label "Server Edition ".
class MainToolbar : public QWidget {
    Q_OBJECT

public:
    explicit MainToolbar(QWidget* parent = nullptr);

    QToolButton* SpeedButton4() const { return m_configure; }
    QToolButton* SpeedButton7() const { return m_meter; }
    QToolButton* SpeedButton8() const { return m_statistic; }
    QToolButton* SpeedButton9() const { return m_help; }
    QToolButton* SpeedButton2() const { return m_home; }
    QToolButton* SpeedButton3() const { return m_exit; }
    QToolButton* SpeedButton6() const { return m_tune_up; }

private:
    QToolButton* add_button(const char* name, const QString& caption, ToolbarPicture picture,
                            int slot);

    QToolButton* m_configure;
    QToolButton* m_meter;
    QToolButton* m_statistic;
    QToolButton* m_help;
    QToolButton* m_home;
    QToolButton* m_exit;
    QToolButton* m_tune_up;
};

}  // namespace quorvane
