#pragma once

#include <stdexcept>

#include "ui/main/TFmain.h"

namespace quorvane::test {

// A main window whose switch of run mode fails.
class RefusingWindow : public TFmain {
public:
    using TFmain::TFmain;
    void SetServiceMode(bool) override { throw std::runtime_error("the switch failed"); }
};

}  // namespace quorvane::test
