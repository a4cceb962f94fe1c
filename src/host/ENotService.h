#pragma once

#include <stdexcept>

namespace quorvane {

// The process was not started by the service manager: start-up falls back to desktop mode.
class ENotService : public std::runtime_error {
public:
    ENotService() : std::runtime_error("Not as service") {}
};

}  // namespace quorvane
