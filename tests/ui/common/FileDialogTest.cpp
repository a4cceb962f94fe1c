#include "ui/common/FileDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>

#include "support/TempDir.h"
#include "ui/common/MessageBox.h"

namespace quorvane::test {
namespace {

class FileDialogSeam : public ::testing::Test {
protected:
    void TearDown() override {
        FileDialog::reset();
        FileDialog::show_on_any_platform(false);
    }
    static QString save(const QString& folder, const QString& name, const QString& suffix) {
        return FileDialog::save_file_name(nullptr, "Save As", folder, name, suffix);
    }
    TempDir dir;
};

TEST_F(FileDialogSeam, QueuedAnswersAnswerTheComingDialogsInTurn) {
    FileDialog::set_next_file_name("/srv/reports/rpt-20261210.xlsx");
    FileDialog::set_next_file_name("/srv/reports/monthly");
    FileDialog::set_next_file_name("");

    EXPECT_EQ(save("/home/ann", "rpt-20261210.xlsx", "xlsx"), "/srv/reports/rpt-20261210.xlsx");
    EXPECT_EQ(save("/home/ann", "rpt-20261210.txt", "txt"), "/srv/reports/monthly.txt")
        << "a name without an extension gets the default one";
    EXPECT_EQ(FileDialog::last_folder(), "/home/ann");
    EXPECT_EQ(FileDialog::last_file_name(), "rpt-20261210.txt");
    EXPECT_EQ(FileDialog::last_default_suffix(), "txt");
    EXPECT_EQ(save("/home/ann", "rpt-20261210.txt", "txt"), "") << "Cancel";
    EXPECT_EQ(save("/home/ann", "rpt-20261210.txt", "txt"), "")
        << "without an answer or a display, a dialog is cancelled";
}

// The real dialog, driven on the offscreen platform.
TEST_F(FileDialogSeam, TheSaveDialogOffersTheNameInTheFolderAndAddsTheSuffix) {
    const QString folder = QString::fromStdString(dir.str());
    dir.write("monthly.xlsx", "an older report");
    FileDialog::show_on_any_platform(true);
    struct Seen {
        QString directory, offered, suffix;
        bool confirms_overwrite = true;
        bool open_after_missing_folder = false;
    } seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen.directory = dialog->directory().absolutePath();
        seen.offered = dialog->selectedFiles().value(0);
        seen.suffix = dialog->defaultSuffix();
        seen.confirms_overwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        // A name in a folder that does not exist is refused; the dialog stays open.
        dialog->selectFile(folder + "/no folder/monthly");
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        seen.open_after_missing_folder = dialog->isVisible();
        // An existing file is replaced without a question.
        dialog->selectFile("monthly");
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    });

    const QString chosen = save(folder, "rpt-20261210.xlsx", "xlsx");

    EXPECT_EQ(seen.directory, QDir(folder).absolutePath());
    EXPECT_EQ(seen.offered, QDir(folder).absoluteFilePath("rpt-20261210.xlsx"));
    EXPECT_EQ(seen.suffix, "xlsx");
    EXPECT_FALSE(seen.confirms_overwrite);
    EXPECT_TRUE(seen.open_after_missing_folder);
    EXPECT_EQ(MessageBox::last_caption(), "Save As");
    EXPECT_EQ(chosen, QDir(folder).absoluteFilePath("monthly.xlsx"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(FileDialogSeam, ClosingTheSaveDialogCancels) {
    FileDialog::show_on_any_platform(true);
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(save(QString::fromStdString(dir.str()), "rpt-20261210.txt", "txt"), "");
}

}  // namespace
}  // namespace quorvane::test
