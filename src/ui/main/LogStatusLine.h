#pragma once

#include <string>

#include <QLabel>

namespace quorvane {

// A line in red under the summary that says what keeps the log from recording (the log
// database missing, unreadable or read-only, or failing to open), and below it what keeps
// the central log from being written; hidden while both work. Looked at again on every tick,
// so it goes as soon as the log works again.
class LogStatusLine : public QLabel {
    Q_OBJECT

public:
    explicit LogStatusLine(QWidget* parent = nullptr);

    // Checks the data directory's log; `log_error` is the last error of the log database
    // itself (empty when its last statement worked).
    void refresh(const std::string& data_dir, const std::string& log_error);
    // What the central log's worker last failed with; empty text once a push works.
    void set_central_problem(const std::string& problem);
    QString problem() const { return m_problem; }

signals:
    // The problem changed (empty text: the log works again).
    void problem_changed(const QString& problem);

private:
    void show_problems();

    QString m_local;    // this machine's log
    QString m_central;  // the central log's worker
    QString m_problem;
};

}  // namespace quorvane
