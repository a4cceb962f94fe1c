#include "usage/TariffBookCache.h"

#include <sys/stat.h>

#include <ctime>
#include <utility>

namespace quorvane {

TariffBookCache::TariffBookCache(std::string dev_ini_path, RegionalSettings regional)
    : m_path(std::move(dev_ini_path)), m_regional(std::move(regional)) {}

TariffBookCache::Stamp TariffBookCache::stamp() const {
    struct stat file {};
    if (::stat(m_path.c_str(), &file) != 0) return {};
    return Stamp{true,
                 static_cast<unsigned long long>(file.st_ino),
                 static_cast<unsigned long long>(file.st_dev),
                 static_cast<long long>(file.st_size),
                 static_cast<long long>(file.st_mtim.tv_sec),
                 static_cast<long long>(file.st_mtim.tv_nsec)};
}

TariffBook& TariffBookCache::current() {
    const Stamp now = stamp();
    if (!m_book || m_recent || now != m_stamp) {
        timespec clock{};
        ::clock_gettime(CLOCK_REALTIME, &clock);
        m_book.emplace(m_path, m_regional);
        m_stamp = now;
        const long long age_ns =
            (static_cast<long long>(clock.tv_sec) - now.seconds) * 1000000000LL +
            (static_cast<long long>(clock.tv_nsec) - now.nanoseconds);
        m_recent = now.exists && age_ns < 1000000000LL;
    }
    return *m_book;
}

}  // namespace quorvane
