#include "config/FileChangeWatch.h"

#include <sys/stat.h>

#include <ctime>
#include <utility>

namespace quorvane {

FileChangeWatch::FileChangeWatch(std::string path) : m_path(std::move(path)) {}

FileChangeWatch::Stamp FileChangeWatch::stamp() const {
    struct stat file {};
    if (::stat(m_path.c_str(), &file) != 0) return {};
    return Stamp{true,
                 static_cast<unsigned long long>(file.st_ino),
                 static_cast<unsigned long long>(file.st_dev),
                 static_cast<long long>(file.st_size),
                 static_cast<long long>(file.st_mtim.tv_sec),
                 static_cast<long long>(file.st_mtim.tv_nsec)};
}

bool FileChangeWatch::changed() {
    const Stamp now = stamp();
    if (m_seen && !m_recent && now == m_stamp) return false;
    timespec clock{};
    ::clock_gettime(CLOCK_REALTIME, &clock);
    const long long age_ns = (static_cast<long long>(clock.tv_sec) - now.seconds) * 1000000000LL +
                             (static_cast<long long>(clock.tv_nsec) - now.nanoseconds);
    m_stamp = now;
    m_seen = true;
    m_recent = now.exists && age_ns < 1000000000LL;
    return true;
}

}  // namespace quorvane
