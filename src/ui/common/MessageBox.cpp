#include "ui/common/MessageBox.h"

#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

namespace quorvane {

namespace {

std::optional<MessageBox::Answer> g_next_answer;
QString g_last_caption;
QString g_last_text;
bool g_show_on_any_platform = false;

MessageBox::Answer from_button(int button) {
    switch (button) {
        case QMessageBox::Ok:
            return MessageBox::Ok;
        case QMessageBox::Cancel:
            return MessageBox::Cancel;
        case QMessageBox::Yes:
            return MessageBox::Yes;
        case QMessageBox::No:
            return MessageBox::No;
        default:
            return MessageBox::Dismissed;
    }
}

}  // namespace

MessageBox::Answer MessageBox::question_yes_cancel(QWidget* parent, const QString& caption,
                                                   const QString& text) {
    return ask(Kind::Question, parent, caption, text);
}

MessageBox::Answer MessageBox::confirmation_ok(QWidget* parent, const QString& caption,
                                               const QString& text) {
    return ask(Kind::Confirmation, parent, caption, text);
}

MessageBox::Answer MessageBox::confirmation_ok_cancel(QWidget* parent, const QString& caption,
                                                      const QString& text) {
    return ask(Kind::OkCancel, parent, caption, text);
}

MessageBox::Answer MessageBox::error(QWidget* parent, const QString& caption, const QString& text) {
    return ask(Kind::Error, parent, caption, text);
}

MessageBox::Answer MessageBox::information(QWidget* parent, const QString& caption,
                                           const QString& text) {
    return ask(Kind::Information, parent, caption, text);
}

void MessageBox::set_next_answer(Answer answer) {
    g_next_answer = answer;
}
void MessageBox::show_on_any_platform(bool value) {
    g_show_on_any_platform = value;
}
QString MessageBox::last_caption() {
    return g_last_caption;
}
QString MessageBox::last_text() {
    return g_last_text;
}

bool MessageBox::has_display() {
    auto platform = QGuiApplication::platformName();
    return !platform.isEmpty() && platform != "offscreen" && platform != "minimal";
}

MessageBox::Answer MessageBox::ask(Kind kind, QWidget* parent, const QString& caption,
                                   const QString& text) {
    g_last_caption = caption;
    g_last_text = text;
    if (g_next_answer) {
        auto answer = *g_next_answer;
        g_next_answer.reset();
        return answer;
    }
    if (!has_display() && !g_show_on_any_platform) {
        std::fprintf(stderr, "%s: %s\n", caption.toLocal8Bit().constData(),
                     text.toLocal8Bit().constData());
        std::fflush(stderr);
        return kind == Kind::Question || kind == Kind::OkCancel ? Cancel : Dismissed;
    }
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (kind) {
        case Kind::Question:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            break;
        case Kind::Confirmation:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Kind::OkCancel:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case Kind::Error:
            box.setIcon(QMessageBox::Critical);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Kind::Information:
            box.setIcon(QMessageBox::Information);
            box.setStandardButtons(QMessageBox::Ok);
            break;
    }
    return from_button(box.exec());
}

}  // namespace quorvane
