#include "ui/main/GridTexts.h"

#include "format/QuantityFormat.h"

namespace quorvane {

GridRowTexts online_row_texts(const Tmibdata& device, const RegionalSettings& regional) {
    return {device.startdate,
            device.starttime,
            device.deventry,
            secs_to_str(device.online_time),
            bytes_to_str(device.dload_total, regional),
            bytes_to_str(device.uload_total, regional),
            bytes_sum_to_str(device.dload_total, device.uload_total, regional)};
}

bool is_online_now(const Tmibdata& device) {
    return device.ip != "0.0.0.0";
}

}  // namespace quorvane
