#include "config/AtomicReplace.h"

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// Closes and removes the temporary file unless it was renamed into place.
class TempFile {
public:
    explicit TempFile(const std::string& target) {
        std::random_device seed;
        std::mt19937 random(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = target + ".tmp" + std::to_string(random() % 1000000);
            // Created like any new file (mode 0666 less the umask), never over an existing one.
            m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0 || errno != EEXIST) break;
        }
        if (m_fd < 0) fail("create");
    }
    ~TempFile() {
        if (m_fd >= 0) ::close(m_fd);
        if (!m_renamed) ::unlink(m_path.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    void write_all(std::string_view content) {
        while (!content.empty()) {
            ssize_t n = ::write(m_fd, content.data(), content.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) fail("write");
            content.remove_prefix(static_cast<size_t>(n));
        }
    }
    void copy_mode_of(const std::string& target) {
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0 && ::fchmod(m_fd, st.st_mode & 07777) != 0) {
            fail("chmod");
        }
    }
    void commit(const std::string& target) {
        if (::fsync(m_fd) != 0) fail("fsync");
        int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0) fail("close");
        if (::rename(m_path.c_str(), target.c_str()) != 0) fail("rename");
        m_renamed = true;
    }

private:
    std::string m_path;
    int m_fd = -1;
    bool m_renamed = false;
};

// Makes the rename itself durable; the new content is already in place when this fails.
void sync_folder(const std::string& target) {
    auto folder = std::filesystem::path(target).parent_path();
    if (folder.empty()) folder = ".";
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::string resolve_links(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    auto target = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : target.string();
}

}  // namespace

void replace_file_atomically(const std::string& path, std::string_view content) {
    const std::string target = resolve_links(path);
    TempFile temp(target);
    temp.write_all(content);
    temp.copy_mode_of(target);
    temp.commit(target);
    sync_folder(target);
}

}  // namespace quorvane
