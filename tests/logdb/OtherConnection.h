#pragma once

#include <functional>
#include <string>
#include <vector>

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
    // The first column of every row, as text (NULL as "").
    std::vector<std::string> values(const std::string& sql);

private:
    // Gives each row's first column (NULL as a null pointer) while `each` returns true.
    void first_column(const std::string& sql, const std::function<bool(const char*)>& each);

    sqlite3* m_db = nullptr;
};

}  // namespace quorvane::test
