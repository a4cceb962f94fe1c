#include "ui/main/ReportExportPrompts.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <utility>

#include "ui/common/DesktopLinks.h"
#include "ui/common/FileDialog.h"
#include "ui/common/MessageBox.h"

namespace quorvane {

ReportExportPrompts::ReportExportPrompts(QWidget* parent, EventLog& event_log, std::string source)
    : m_parent(parent), m_event_log(event_log), m_source(std::move(source)) {}

std::optional<std::string> ReportExportPrompts::save_file_name(const std::string& default_extension,
                                                               const std::string& file_name) {
    const QString path = FileDialog::save_file_name(m_parent, "Save As", QDir::homePath(),
                                                    QString::fromStdString(file_name),
                                                    QString::fromStdString(default_extension));
    if (path.isEmpty()) return std::nullopt;
    // The path as the file system spells it.
    return QFile::encodeName(path).toStdString();
}

bool ReportExportPrompts::confirm_ok_cancel(const std::string& text) {
    return MessageBox::confirmation_ok_cancel(m_parent, "Confirm", QString::fromStdString(text)) ==
           MessageBox::Ok;
}

void ReportExportPrompts::sheet_failed(const std::string& reason) {
    m_event_log.write_error(m_source, reason);
}

void ReportExportPrompts::open_workbook(const std::string& path) {
    open_desktop_url(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
}

}  // namespace quorvane
