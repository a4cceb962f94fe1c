#include "platform/linux/service/SystemdUnitInstaller.h"

#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <systemd/sd-daemon.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/SystemError.h"
#include "platform/linux/service/UnitFile.h"

extern char** environ;

namespace quorvane {

namespace {

constexpr const char* kWantsDir = "multi-user.target.wants";

[[noreturn]] void fail(int error, const std::string& what) {
    throw SystemError(static_cast<uint32_t>(error), what + ": " + std::strerror(error));
}

// "systemctl daemon-reload" where systemd runs; elsewhere (containers, these test
// machines) there is nothing to reload. A failed reload leaves the unit written: systemd
// reads it at the next reload or boot.
void reload_systemd() {
    if (sd_booted() <= 0) return;
    const char* argv[] = {"systemctl", "daemon-reload", nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "systemctl", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

SystemdUnitInstaller::SystemdUnitInstaller(std::string unit_dir)
    : m_unit_dir(std::move(unit_dir)) {}

std::string SystemdUnitInstaller::default_unit_dir() {
    const char* dir = std::getenv("QUORVANE_UNIT_DIR");
    return dir != nullptr && *dir != '\0' ? dir : "/etc/systemd/system";
}

std::string SystemdUnitInstaller::unit_path(const std::string& name) const {
    return m_unit_dir + "/" + name + ".service";
}

std::string SystemdUnitInstaller::wants_link_path(const std::string& name) const {
    return m_unit_dir + "/" + kWantsDir + "/" + name + ".service";
}

void SystemdUnitInstaller::open_manager() {
    struct stat info {};
    if (::stat(m_unit_dir.c_str(), &info) != 0) {
        fail(errno, "Cannot reach the service manager: unit directory " + m_unit_dir);
    }
    if (!S_ISDIR(info.st_mode)) {
        fail(ENOTDIR, "Cannot reach the service manager: unit directory " + m_unit_dir);
    }
    if (::access(m_unit_dir.c_str(), W_OK | X_OK) != 0) {
        fail(errno, "Cannot reach the service manager: unit directory " + m_unit_dir);
    }
}

void SystemdUnitInstaller::create_service(const ServiceDefinition& service) {
    auto path = unit_path(service.name);
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        throw SystemError(EEXIST, "The service unit " + path + " exists already");
    }
    // The package makes the system user; a build installed by hand has none.
    const auto account = ::getpwnam("quorvane") != nullptr ? ServiceAccount::SystemUser
                                                           : ServiceAccount::DynamicUser;
    write_new_file(path, unit_file_text(service, account));
    if (!service.auto_start) return reload_systemd();
    try {
        enable(service.name);
    } catch (...) {
        ::unlink(path.c_str());
        throw;
    }
    reload_systemd();
}

std::string SystemdUnitInstaller::installed_note(const std::string& name) const {
    return "Unit file: " + unit_path(name) + "\nStart it with: systemctl start " + name + "\n";
}

void SystemdUnitInstaller::delete_service(const std::string& name) {
    auto path = unit_path(name);
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            throw SystemError(ENOENT, "The service unit " + path + " is not installed");
        }
        fail(errno, "Cannot read the service unit " + path);
    }
    auto link = wants_link_path(name);
    if (::unlink(link.c_str()) != 0 && errno != ENOENT) fail(errno, "Cannot disable " + link);
    if (::unlink(path.c_str()) != 0) fail(errno, "Cannot remove " + path);
    reload_systemd();
}

// Written to a temporary file first and then linked to its name, so the unit appears
// whole or not at all and an existing unit is never overwritten.
void SystemdUnitInstaller::write_new_file(const std::string& path, const std::string& text) const {
    std::string temp = m_unit_dir + "/.quorvane-unit-XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) fail(errno, "Cannot write to " + m_unit_dir);
    std::string temp_path = name.data();
    size_t written = 0;
    while (written < text.size()) {
        auto n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    int error = written == text.size() ? 0 : errno;
    if (error == 0 && ::fchmod(fd, 0644) != 0) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    ::close(fd);
    if (error == 0 && ::link(temp_path.c_str(), path.c_str()) != 0) error = errno;
    ::unlink(temp_path.c_str());
    if (error == EEXIST) throw SystemError(EEXIST, "The service unit " + path + " exists already");
    if (error != 0) fail(error, "Cannot write " + path);
}

void SystemdUnitInstaller::enable(const std::string& name) const {
    auto dir = m_unit_dir + "/" + kWantsDir;
    if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) fail(errno, "Cannot create " + dir);
    auto link = wants_link_path(name);
    ::unlink(link.c_str());  // a stale link of an earlier installation
    if (::symlink(unit_path(name).c_str(), link.c_str()) != 0) fail(errno, "Cannot enable " + link);
}

}  // namespace quorvane
