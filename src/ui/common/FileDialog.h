#pragma once

#include <QString>

class QWidget;

namespace quorvane {

// File dialogs behind one seam, in the manner of MessageBox. A test queues the answers of
// the coming dialogs, which then are not shown. Without a display (the offscreen platform)
// a dialog writes "Caption: file name" to standard error and answers Cancel, unless a test
// asked for real dialogs on every platform.
class FileDialog {
public:
    // The save dialog: opens in `folder` offering `file_name`, has no list of file types,
    // adds "." and `default_suffix` to a name typed without an extension, refuses a name in
    // a folder that does not exist and replaces an existing file without asking. The
    // chosen path, or an empty text when the dialog is cancelled.
    static QString save_file_name(QWidget* parent, const QString& caption, const QString& folder,
                                  const QString& file_name, const QString& default_suffix);

    // Queues the answer of a coming dialog, the first queued for the next one: a path, which
    // gets the default suffix when it has no extension, as a name typed into the dialog
    // does; or an empty text, for Cancel.
    static void set_next_file_name(const QString& path);
    // Forgets the queued answers and what the last dialog offered.
    static void reset();
    // Real, modal dialogs also on the offscreen platform (for tests that drive them).
    static void show_on_any_platform(bool value);
    // What the last dialog offered, shown or answered by a test.
    static QString last_folder();
    static QString last_file_name();
    static QString last_default_suffix();
};

}  // namespace quorvane
