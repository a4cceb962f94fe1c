#pragma once

#include <string>

namespace quorvane {

// Checks a libpq connection string (key=value pairs or a postgresql:// URI) for use by a
// meter or the report: it must parse, and it must not hold a password, which belongs in
// ~/.pgpass, PGPASSFILE or a service file where only its owner reads it. Throws
// CentralError (kind settings) with a message that says which.
void check_central_url(const std::string& url);

// The url with anything after a password-like key blanked, for messages: never shows a
// secret even when check_central_url was not called.
std::string printable_central_url(const std::string& url);

}  // namespace quorvane
