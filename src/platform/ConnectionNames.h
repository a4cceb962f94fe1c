#pragma once

#include <string>

namespace quorvane {

// The connection name the system shows for an adapter. Never throws: empty text when the
// adapter is not known, "unknown" when the name exists but cannot be read.
class ConnectionNames {
public:
    virtual ~ConnectionNames() = default;
    virtual std::string connection_name(const std::string& adapter_name) = 0;
};

}  // namespace quorvane
