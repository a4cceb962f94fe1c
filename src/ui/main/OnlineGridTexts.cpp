#include "ui/main/OnlineGridTexts.h"

#include "format/QuantityFormat.h"
#include "ui/main/GridTexts.h"

namespace quorvane {

std::vector<GridRowTexts> OnlineGridTexts::rows(const Tmibarray& devices,
                                                const RegionalSettings& regional) {
    if (regional != m_regional) {
        m_made.clear();
        m_regional = regional;
    }
    std::vector<GridRowTexts> rows;
    size_t place = 0;
    for (const Tmibdata& device : devices) {
        if (!is_online_now(device)) continue;
        if (place == m_made.size()) {
            m_made.push_back({device.online_time, device.dload_total, device.uload_total,
                              online_row_texts(device, regional)});
        } else {
            Made& made = m_made[place];
            GridRowTexts& texts = made.texts;
            if (texts[0] != device.startdate || texts[1] != device.starttime ||
                texts[kDeviceColumn] != device.deventry) {
                made = {device.online_time, device.dload_total, device.uload_total,
                        online_row_texts(device, regional)};
            } else {
                if (made.online_time != device.online_time) {
                    made.online_time = device.online_time;
                    texts[3] = secs_to_str(device.online_time);
                }
                const bool down = made.dload != device.dload_total;
                const bool up = made.uload != device.uload_total;
                if (down) texts[4] = bytes_to_str(device.dload_total, regional);
                if (up) texts[5] = bytes_to_str(device.uload_total, regional);
                if (down || up) {
                    texts[6] = bytes_sum_to_str(device.dload_total, device.uload_total, regional);
                }
                made.dload = device.dload_total;
                made.uload = device.uload_total;
            }
        }
        rows.push_back(m_made[place].texts);
        ++place;
    }
    m_made.resize(place);
    return rows;
}

}  // namespace quorvane
