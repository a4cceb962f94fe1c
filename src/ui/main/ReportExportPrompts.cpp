#include "ui/main/ReportExportPrompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <utility>

#include "config/IniFile.h"
#include "ui/common/DesktopLinks.h"
#include "ui/common/FileDialog.h"
#include "ui/common/MessageBox.h"

namespace quorvane {

namespace {

const char* const kSection = "report";
const char* const kFolderKey = "lastfolder";

}  // namespace

ReportExportPrompts::ReportExportPrompts(QWidget* parent, EventLog& event_log, std::string source,
                                         std::string config_ini)
    : m_parent(parent),
      m_event_log(event_log),
      m_source(std::move(source)),
      m_config_ini(std::move(config_ini)) {}

std::optional<std::string> ReportExportPrompts::save_file_name(const std::string& default_extension,
                                                               const std::string& file_name) {
    // The folder of the last report, while it still exists; else the home folder.
    QString folder = QDir::homePath();
    if (!m_config_ini.empty()) {
        const QString last =
            QFile::decodeName(IniFile(m_config_ini).read_string(kSection, kFolderKey, "").c_str());
        if (!last.isEmpty() && QFileInfo(last).isDir()) folder = last;
    }
    const QString path =
        FileDialog::save_file_name(m_parent, "Save As", folder, QString::fromStdString(file_name),
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

void ReportExportPrompts::report_saved(const std::string& path) {
    if (m_config_ini.empty()) return;
    try {
        const QString folder = QFileInfo(QFile::decodeName(path.c_str())).absolutePath();
        IniFile(m_config_ini)
            .write_string(kSection, kFolderKey, QFile::encodeName(folder).toStdString());
    } catch (const std::exception& error) {
        // Remembering the folder is a convenience: the export is done without it.
        m_event_log.write_error(m_source, error.what());
    }
}

void ReportExportPrompts::open_workbook(const std::string& path) {
    open_desktop_url(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
}

}  // namespace quorvane
