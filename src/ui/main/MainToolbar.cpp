#include "ui/main/MainToolbar.h"

#include <QLabel>
#include <QToolButton>

#include "ui/pictures/Pictures.h"

namespace quorvane {

namespace {

constexpr int kButtonSide = 41;
constexpr int kButtonTop = 4;
constexpr int kButtonPitch = 60;  // from one button's left edge to the next one's
constexpr int kCaptionWidth = 60;
constexpr QSize kBannerSize(300, 46);

}  // namespace

MainToolbar::MainToolbar(QWidget* parent) : QWidget(parent) {
    setObjectName("toolbar");
    setFixedHeight(66);
    m_configure = add_button("SpeedButton4", "Configure", ToolbarPicture::Configure, 0);
    m_meter = add_button("SpeedButton7", "Meter", ToolbarPicture::Meter, 1);
    m_statistic = add_button("SpeedButton8", "Statistic", ToolbarPicture::Statistic, 2);
    m_help = add_button("SpeedButton9", "Help", ToolbarPicture::Help, 3);
    m_home = add_button("SpeedButton2", "Home", ToolbarPicture::Home, 4);
    m_exit = add_button("SpeedButton3", "Exit", ToolbarPicture::Exit, 5);
    // The chart window's button never shows, nor does its caption.
    m_tune_up = add_button("SpeedButton6", "Tune up", ToolbarPicture::TuneUp, 6);
    m_tune_up->hide();
    findChild<QLabel*>("SpeedButton6Caption")->hide();

    auto* banner = new QLabel(this);
    banner->setObjectName("banner");
    banner->setPixmap(banner_picture(kBannerSize));
    banner->setGeometry(751 - kBannerSize.width() - 16, 2, kBannerSize.width(),
                        kBannerSize.height());

    auto* edition = new QLabel("Server Edition ", this);
    edition->setObjectName("servereditionlabel");
    edition->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = edition->font();
    bold.setBold(true);
    edition->setFont(bold);
    edition->setStyleSheet("color: rgb(29, 63, 138);");
    edition->setGeometry(751 - 16 - 160, 48, 160, 16);
}

QToolButton* MainToolbar::add_button(const char* name, const QString& caption,
                                     ToolbarPicture picture, int slot) {
    const int left = 8 + slot * kButtonPitch;
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setToolTip(caption);
    button->setIcon(toolbar_picture(picture));
    button->setIconSize(QSize(32, 32));
    button->setGeometry(left + (kCaptionWidth - kButtonSide) / 2, kButtonTop, kButtonSide,
                        kButtonSide);
    button->setFocusPolicy(Qt::NoFocus);

    auto* label = new QLabel(caption, this);
    label->setObjectName(QString(name) + "Caption");
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(left, kButtonTop + kButtonSide + 1, kCaptionWidth, 16);
    return button;
}

}  // namespace quorvane
