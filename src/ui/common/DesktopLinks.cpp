#include "ui/common/DesktopLinks.h"

#include <utility>

#include <QDesktopServices>

namespace quorvane {

namespace {

std::function<void(const QUrl&)>& url_handler() {
    static std::function<void(const QUrl&)> handler;
    return handler;
}

}  // namespace

void open_desktop_url(const QUrl& url) {
    if (url_handler()) {
        url_handler()(url);
        return;
    }
    // The answer says only whether a handler was found; nothing to tell the user either way.
    QDesktopServices::openUrl(url);
}

void set_desktop_url_handler(std::function<void(const QUrl&)> handler) {
    url_handler() = std::move(handler);
}

void open_mail_to(const QString& address) {
    open_desktop_url(QUrl("mailto:" + address));
}

}  // namespace quorvane
