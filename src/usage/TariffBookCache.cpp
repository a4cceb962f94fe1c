#include "usage/TariffBookCache.h"

#include <utility>

namespace quorvane {

TariffBookCache::TariffBookCache(std::string dev_ini_path, RegionalSettings regional)
    : m_path(std::move(dev_ini_path)), m_regional(std::move(regional)), m_watch(m_path) {}

TariffBook& TariffBookCache::current() {
    if (m_watch.changed() || !m_book) m_book.emplace(m_path, m_regional);
    return *m_book;
}

}  // namespace quorvane
