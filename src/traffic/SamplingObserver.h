#pragma once

#include "traffic/Tmibdata.h"

namespace quorvane {

// What the sampling cycle feeds at the end of each tick: the meter and statistics windows
// (when they ask for updates) and the tray icon. The windows implement it.
class SamplingObserver {
public:
    virtual ~SamplingObserver() = default;
    virtual bool wants_meter() const { return false; }
    virtual void update_meter(const Tmibarray& /*devices*/) {}
    virtual bool wants_stat() const { return false; }
    virtual void update_stat(const Tmibarray& /*devices*/) {}
    // 0 no traffic, 1 download, 2 upload, 3 both.
    virtual void set_tray_icon(int /*index*/) {}
};

}  // namespace quorvane
