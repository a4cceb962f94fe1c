#pragma once

#include <functional>

#include <QString>
#include <QUrl>

namespace quorvane {

// The maker's home page and the support address (our own example addresses).
inline const char* const kHomePage = "https://quorvane.example.org/";
inline const char* const kSupportAddress = "support@quorvane.example.org";

// Opens an address with the desktop's handler for it (browser, mail program), through
// QDesktopServices. Fails silently: nothing registered, nothing shown. A test sets a
// handler of its own that receives the address instead.
void open_desktop_url(const QUrl& url);
void set_desktop_url_handler(std::function<void(const QUrl&)> handler);

// A new mail to the address ("mailto:").
void open_mail_to(const QString& address);

}  // namespace quorvane
