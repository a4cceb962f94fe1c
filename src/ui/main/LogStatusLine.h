#pragma once

#include <string>

#include <QLabel>

namespace quorvane {

// A line in red under the summary that says what keeps the log from recording (the log
// database missing, unreadable or read-only, or failing to open); hidden while the log
// works. Looked at again on every tick, so it goes as soon as the log works again.
class LogStatusLine : public QLabel {
    Q_OBJECT

public:
    explicit LogStatusLine(QWidget* parent = nullptr);

    // Checks the data directory's log; `log_error` is the last error of the log database
    // itself (empty when its last statement worked).
    void refresh(const std::string& data_dir, const std::string& log_error);
    QString problem() const { return m_problem; }

signals:
    // The problem changed (empty text: the log works again).
    void problem_changed(const QString& problem);

private:
    QString m_problem;
};

}  // namespace quorvane
