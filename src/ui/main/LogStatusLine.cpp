#include "ui/main/LogStatusLine.h"

#include <QStringList>

#include "config/LogFileCheck.h"

namespace quorvane {

LogStatusLine::LogStatusLine(QWidget* parent) : QLabel(parent) {
    setObjectName("LogStatus");
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    QPalette red = palette();
    red.setColor(QPalette::WindowText, QColor(200, 0, 0));
    setPalette(red);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    hide();
}

void LogStatusLine::refresh(const std::string& data_dir, const std::string& log_error) {
    std::string text = log_database_problem(data_dir);
    if (text.empty() && !log_error.empty()) text = "The log does not record: " + log_error;
    m_local = QString::fromStdString(text);
    show_problems();
}

void LogStatusLine::set_central_problem(const std::string& problem) {
    QString text = QString::fromStdString(problem);
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    m_central = text;
    show_problems();
}

void LogStatusLine::show_problems() {
    QStringList lines;
    if (!m_local.isEmpty()) lines << m_local;
    if (!m_central.isEmpty()) lines << m_central;
    const QString problem = lines.join('\n');
    if (problem == m_problem) return;
    m_problem = problem;
    setText(problem);
    setVisible(!problem.isEmpty());
    emit problem_changed(problem);
}

}  // namespace quorvane
