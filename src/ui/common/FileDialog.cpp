#include "ui/common/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>

#include <cstdio>
#include <deque>

#include "ui/common/MessageBox.h"

namespace quorvane {

namespace {

std::deque<QString> g_next_file_names;
QString g_last_folder;
QString g_last_file_name;
QString g_last_default_suffix;
bool g_show_on_any_platform = false;

// The default suffix for a name without an extension, as the dialog adds it.
QString with_suffix(const QString& path, const QString& default_suffix) {
    if (path.isEmpty() || default_suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty()) {
        return path;
    }
    return path + "." + default_suffix;
}

// Icons and type names from the file's kind and name alone. The toolkit's own provider reads
// a file's first bytes to find its type, and a read of a file such as /proc/kmsg waits for
// data that may never come: a folder typed or browsed in the dialog would freeze the program.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override {
        return QFileIconProvider::icon(info.isDir() ? Folder : File);
    }
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return "Folder";
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QString("File") : suffix.toUpper() + " File";
    }
};

// A save dialog that stays open while the chosen name lies in a folder that does not exist.
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const QString& caption, const QString& folder)
        : QFileDialog(parent, caption, folder) {
        // One for the whole process: the dialog's model may still ask it while it is
        // destroyed.
        static NameOnlyIconProvider icons;
        setIconProvider(&icons);
    }

    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            const QFileInfo chosen(files.first());
            if (!chosen.isDir() && !chosen.absoluteDir().exists()) {
                MessageBox::error(
                    this, windowTitle(),
                    chosen.absolutePath() + "\nThe folder does not exist. Check the folder name.");
                return;
            }
        }
        QFileDialog::accept();
    }
};

}  // namespace

QString FileDialog::save_file_name(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& file_name, const QString& default_suffix) {
    g_last_folder = folder;
    g_last_file_name = file_name;
    g_last_default_suffix = default_suffix;
    if (!g_next_file_names.empty()) {
        const QString answer = g_next_file_names.front();
        g_next_file_names.pop_front();
        return with_suffix(answer, default_suffix);
    }
    if (!MessageBox::has_display() && !g_show_on_any_platform) {
        std::fprintf(stderr, "%s: %s\n", caption.toLocal8Bit().constData(),
                     file_name.toLocal8Bit().constData());
        std::fflush(stderr);
        return {};
    }
    SaveDialog dialog(parent, caption, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(default_suffix);
    dialog.selectFile(file_name);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void FileDialog::set_next_file_name(const QString& path) {
    g_next_file_names.push_back(path);
}
void FileDialog::reset() {
    g_next_file_names.clear();
    g_last_folder.clear();
    g_last_file_name.clear();
    g_last_default_suffix.clear();
}
void FileDialog::show_on_any_platform(bool value) {
    g_show_on_any_platform = value;
}
QString FileDialog::last_folder() {
    return g_last_folder;
}
QString FileDialog::last_file_name() {
    return g_last_file_name;
}
QString FileDialog::last_default_suffix() {
    return g_last_default_suffix;
}

}  // namespace quorvane
