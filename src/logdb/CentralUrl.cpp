#include "logdb/CentralUrl.h"

#include <libpq-fe.h>

#include <memory>

#include "logdb/CentralError.h"

namespace quorvane {

const char* central_error_kind_name(CentralError::Kind kind) {
    switch (kind) {
        case CentralError::Kind::settings:
            return "settings";
        case CentralError::Kind::unreachable:
            return "unreachable";
        case CentralError::Kind::login:
            return "login";
        case CentralError::Kind::schema:
            return "schema";
        case CentralError::Kind::refused:
            return "refused";
        case CentralError::Kind::bad_row:
            return "bad row";
        case CentralError::Kind::local_log:
            return "local log";
        case CentralError::Kind::other:
            break;
    }
    return "other";
}

void check_central_url(const std::string& url) {
    char* error = nullptr;
    std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(
        PQconninfoParse(url.c_str(), &error), &PQconninfoFree);
    if (!options) {
        std::string text = error ? error : "out of memory";
        PQfreemem(error);
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
        throw CentralError(CentralError::Kind::settings,
                           "the central log's url in config/config.ini does not parse: " + text);
    }
    for (const PQconninfoOption* option = options.get(); option->keyword; ++option) {
        if (option->val && *option->val && std::string(option->keyword) == "password") {
            throw CentralError(CentralError::Kind::settings,
                               "the central log's url in config/config.ini holds a password; "
                               "it is not used: put the password in ~/.pgpass (or the file "
                               "PGPASSFILE names, or a service file) and remove it from the url");
        }
    }
}

std::string printable_central_url(const std::string& url) {
    try {
        check_central_url(url);
        return url;
    } catch (const CentralError&) {
        return "(the url of config/config.ini)";
    }
}

}  // namespace quorvane
