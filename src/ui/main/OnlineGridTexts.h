#pragma once

#include <cstdint>
#include <vector>

#include "format/RegionalSettings.h"
#include "traffic/Tmibdata.h"
#include "usage/LogRowTexts.h"

namespace quorvane {

// The rows of the now-online view from one tick to the next. A row's texts are those of
// online_row_texts, but made again only where the figure they show changed: a device on
// the same place with the same start and name keeps its byte texts while its counts stand
// still, and a quiet device costs its duration alone.
class OnlineGridTexts {
public:
    // The rows of the devices online now, in the device table's order.
    std::vector<GridRowTexts> rows(const Tmibarray& devices, const RegionalSettings& regional);

private:
    // A row as it was made, with the figures it was made from.
    struct Made {
        int64_t online_time, dload, uload;
        GridRowTexts texts;
    };

    std::vector<Made> m_made;  // by place among the online rows
    RegionalSettings m_regional;
};

}  // namespace quorvane
