#pragma once

#include <string>

namespace quorvane {

// Tells whether a file must be read again: the first time, after it was written, replaced or
// removed (its inode, device, size and modification time tell), and while it is younger than
// a second, since the file system's clock is coarse and a second write within the same tick
// of it would leave size and time alike. One stat() a look; nothing is read.
class FileChangeWatch {
public:
    explicit FileChangeWatch(std::string path);

    bool changed();
    // The next look says changed (for a reading that failed).
    void forget() { m_seen = false; }

private:
    struct Stamp {
        bool exists = false;
        unsigned long long inode = 0, device = 0;
        long long size = 0, seconds = 0, nanoseconds = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp stamp() const;

    std::string m_path;
    Stamp m_stamp;
    bool m_seen = false;
    bool m_recent = false;  // younger than a second at the last look
};

}  // namespace quorvane
