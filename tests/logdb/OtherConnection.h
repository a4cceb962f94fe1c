#pragma once

#include <string>

struct sqlite3;

namespace quorvane::test {

// A second, independent connection to a database file, as another process would hold it.
class OtherConnection {
public:
    explicit OtherConnection(const std::string& path);
    ~OtherConnection();
    OtherConnection(const OtherConnection&) = delete;
    OtherConnection& operator=(const OtherConnection&) = delete;

    // Runs statements; throws with the engine's text when one fails.
    void exec(const std::string& sql);
    // The first column of the first row of a query, as text ("" without a row).
    std::string value(const std::string& sql);

private:
    sqlite3* m_db = nullptr;
};

}  // namespace quorvane::test
