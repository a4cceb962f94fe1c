#pragma once

#include <string>
#include <vector>

#include <QWidget>

class QCheckBox;
class QLabel;
class QToolButton;

namespace quorvane {

class GeneralOptionsSaver;

// The tip of the day: one tip of config/tip.cfg at a time, a random one at each showing,
// paged forwards and backwards with wrap-around. Its check box is one of the general
// options; "Close" saves them through the configuration dialog, the title bar's close box
// only hides the window. Without tips it says so, and paging does nothing.
class TFtip : public QWidget {
    Q_OBJECT

public:
    explicit TFtip(QWidget* parent = nullptr);

    // Start-up's wiring: reads the tips of <data_dir>/config/tip.cfg (a file that cannot be
    // read is said on standard error and kept in load_error(); the window then shows
    // kNoTips), and names the
    // saver of the general options (the configuration dialog) that "Close" runs and the window the
    // tip opens over.
    void attach(const std::string& data_dir, GeneralOptionsSaver* config, QWidget* owner = nullptr);

    // Reads the tip file into Tips and LastTip; throws TipFileError when it cannot be read.
    void loadtip();
    void FormShow();
    void SpeedButton1Click();  // next
    void SpeedButton2Click();  // previous
    void SpeedButton3Click();  // close, saving the general options

    const std::vector<std::string>& Tips() const { return m_tips; }
    int LastTip() const { return m_last_tip; }
    int CurrentTip() const { return m_current_tip; }
    // Shows the tip of that index (for a test that pages from a known tip).
    void show_tip(int index);

    QCheckBox* CheckBox1() const { return m_show_on_startup; }
    QLabel* Label2() const { return m_text; }
    QToolButton* SpeedButton1() const { return m_next; }
    QToolButton* SpeedButton2() const { return m_previous; }
    QToolButton* SpeedButton3() const { return m_close; }

    // Why the tips could not be read at start; empty when they were.
    const std::string& load_error() const { return m_load_error; }

    static const char* const kNoTips;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::string m_tip_file;
    std::string m_load_error;
    GeneralOptionsSaver* m_config = nullptr;
    QWidget* m_owner = nullptr;
    std::vector<std::string> m_tips;
    int m_last_tip = 0;
    int m_current_tip = 0;

    QLabel* m_text = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QCheckBox* m_show_on_startup = nullptr;
    QToolButton* m_close = nullptr;
};

}  // namespace quorvane
