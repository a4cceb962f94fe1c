#include "ui/about/TFabout.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/common/DesktopLinks.h"
#include "ui/common/LinkLabel.h"
#include "ui/pictures/Pictures.h"

namespace quorvane {

namespace {

// A dialog to the window system, so that it is kept in front of the window that owns it.
constexpr Qt::WindowFlags kFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

QLabel* text_label(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

TFabout::TFabout(QWidget* parent) : QWidget(parent, kFlags) {
    setObjectName("Fabout");
    setWindowTitle("About Quorvane");
    setFixedSize(363, 240);
    setAutoFillBackground(true);
    QPalette window_colour = palette();
    window_colour.setColor(QPalette::Window, QColor(216, 228, 248));
    setPalette(window_colour);

    auto* panel = new QFrame(this);
    panel->setObjectName("panel");
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);

    auto* logo = new QLabel(panel);
    logo->setObjectName("logo");
    logo->setPixmap(logo_picture(64));
    logo->setFixedSize(64, 64);

    QLabel* name = text_label("Quorvane", "product_name", panel);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.8);
    name->setFont(bold);

    auto* home = new LinkLabel(kHomePage, panel);
    home->setObjectName("home_link");
    connect(home, &LinkLabel::clicked, this, [] { open_desktop_url(QUrl(kHomePage)); });
    auto* mail = new LinkLabel(kSupportAddress, panel);
    mail->setObjectName("mail_link");
    connect(mail, &LinkLabel::clicked, this, [] { open_mail_to(kSupportAddress); });

    auto* heading = new QHBoxLayout;
    heading->setSpacing(14);
    heading->addWidget(logo);
    heading->addWidget(name, 1);

    auto* lines = new QGridLayout(panel);
    lines->setContentsMargins(14, 12, 14, 12);
    lines->setHorizontalSpacing(8);
    lines->setVerticalSpacing(4);
    lines->addLayout(heading, 0, 0, 1, 2);
    lines->setRowMinimumHeight(1, 6);
    lines->addWidget(text_label("Version        :", "version_caption", panel), 2, 0);
    lines->addWidget(text_label("2.1.1(Build 2)", "version", panel), 2, 1);
    lines->addWidget(text_label("go to      :", "home_caption", panel), 3, 0);
    lines->addWidget(home, 3, 1, Qt::AlignLeft);
    lines->addWidget(text_label("for update information", "update_information", panel), 4, 1);
    lines->addWidget(text_label("email support     :", "mail_caption", panel), 5, 0);
    lines->addWidget(mail, 5, 1, Qt::AlignLeft);
    lines->setColumnStretch(1, 1);
    lines->setRowStretch(6, 1);

    auto* close_button = new QToolButton(this);
    close_button->setObjectName("close_button");
    close_button->setAutoRaise(true);
    close_button->setIcon(close_picture());
    close_button->setIconSize(QSize(24, 24));
    close_button->setToolTip("Close");
    connect(close_button, &QToolButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 4);
    layout->setSpacing(2);
    layout->addWidget(panel, 1);
    layout->addWidget(close_button, 0, Qt::AlignRight);
}

void TFabout::bring_up() {
    show();
    raise();
    activateWindow();
}

}  // namespace quorvane
