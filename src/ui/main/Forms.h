#pragma once

#include <memory>

#include "ui/about/TFabout.h"
#include "ui/chart/TFtuneup.h"
#include "ui/config/TFconfig.h"
#include "ui/main/TFmain.h"
#include "ui/meter/TFmeter.h"
#include "ui/stat/TFstat.h"
#include "ui/tip/TFtip.h"

namespace quorvane {

// The program's windows, one of each, in the order start-up creates them; they are
// destroyed in the reverse order. A window whose creation failed stays empty.
struct Forms {
    std::unique_ptr<TFmain> Fmain;
    std::unique_ptr<TFabout> Fabout;
    std::unique_ptr<TFtip> Ftip;
    std::unique_ptr<TFconfig> Fconfig;
    std::unique_ptr<TFmeter> Fmeter;
    std::unique_ptr<TFstat> Fstat;
    std::unique_ptr<TFtuneup> Ftuneup;
};

}  // namespace quorvane
