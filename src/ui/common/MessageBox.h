#pragma once

#include <optional>

#include <QString>

class QWidget;

namespace quorvane {

// Message boxes behind one seam. A test sets the answer of the next box, which then is not
// shown. Without a display (the offscreen platform) a box writes "Caption: text" to
// standard error and answers as if it was dismissed (Cancel for a box that has a Cancel
// button), unless a test asked for real boxes on every platform.
class MessageBox {
public:
    enum Answer { Ok, Cancel, Yes, No, Dismissed };

    // A confirmation with the buttons Yes and Cancel.
    static Answer question_yes_cancel(QWidget* parent, const QString& caption, const QString& text);
    // A confirmation with a single OK button.
    static Answer confirmation_ok(QWidget* parent, const QString& caption, const QString& text);
    // A confirmation with the buttons OK and Cancel.
    static Answer confirmation_ok_cancel(QWidget* parent, const QString& caption,
                                         const QString& text);
    static Answer error(QWidget* parent, const QString& caption, const QString& text);
    static Answer information(QWidget* parent, const QString& caption, const QString& text);

    static void set_next_answer(Answer answer);
    // Real, modal boxes also on the offscreen platform (for tests that answer them).
    static void show_on_any_platform(bool value);
    // The caption and text of the last box asked for, shown or answered by a test.
    static QString last_caption();
    static QString last_text();
    // False on the offscreen and minimal platforms.
    static bool has_display();

private:
    enum class Kind { Question, Confirmation, OkCancel, Error, Information };
    static Answer ask(Kind kind, QWidget* parent, const QString& caption, const QString& text);
};

}  // namespace quorvane
