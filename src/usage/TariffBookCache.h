#pragma once

#include <optional>
#include <string>

#include "config/FileChangeWatch.h"
#include "format/RegionalSettings.h"
#include "usage/TariffBook.h"

namespace quorvane {

// The tariffs of the device options file, kept from one refresh to the next while the file
// stays the same: a refresh that follows another reads nothing from disk unless the file was
// written, replaced or removed in between (its inode, size and modification time tell). A
// tariff saved meanwhile counts from the next refresh, as with a new book each time. A file
// written less than a second before it was read is read again at every refresh until it is
// older: the file system's clock is coarse, and a second write within the same tick of it
// would leave size and time alike.
class TariffBookCache {
public:
    TariffBookCache(std::string dev_ini_path, RegionalSettings regional);

    // The book for this refresh: the kept one, or a new one when the file changed.
    TariffBook& current();

private:
    std::string m_path;
    RegionalSettings m_regional;
    FileChangeWatch m_watch;
    std::optional<TariffBook> m_book;
};

}  // namespace quorvane
