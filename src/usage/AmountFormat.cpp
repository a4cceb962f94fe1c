#include "usage/AmountFormat.h"

#include "format/NumberPicture.h"

namespace quorvane {

std::string amount_to_str(int64_t ten_thousandths, const RegionalSettings& regional) {
    // The magnitude is taken unsigned so the most negative amount keeps its value; adding
    // half a hundredth before dividing rounds halves away from zero.
    bool negative = ten_thousandths < 0;
    uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(ten_thousandths) : uint64_t(ten_thousandths);
    uint64_t hundredths = (magnitude + 50) / 100;
    // An amount that rounds to zero reads "0.00", without a minus.
    return number_picture(negative && hundredths != 0, hundredths / 100,
                          static_cast<unsigned>(hundredths % 100), regional);
}

}  // namespace quorvane
