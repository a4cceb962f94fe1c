#pragma once

#include <filesystem>
#include <string>

#include "host/ChildProcess.h"

namespace quorvane::test {

// The environment of a program run without a display, not by a service manager, with its
// settings and home below `root` (root/xdg, root/home, root/runtime, made here), and the
// unit directory `unit_dir`.
inline ChildProcess::Environment program_environment(const std::filesystem::path& root,
                                                     const std::string& unit_dir = "") {
    namespace fs = std::filesystem;
    for (const char* sub : {"xdg", "home", "runtime"}) fs::create_directories(root / sub);
    fs::permissions(root / "runtime", fs::perms::owner_all);
    return {{"DISPLAY", std::nullopt},
            {"WAYLAND_DISPLAY", std::nullopt},
            {"QT_QPA_PLATFORM", std::nullopt},
            {"NOTIFY_SOCKET", std::nullopt},
            {"XDG_CONFIG_HOME", (root / "xdg").string()},
            {"XDG_RUNTIME_DIR", (root / "runtime").string()},
            {"HOME", (root / "home").string()},
            {"QUORVANE_UNIT_DIR", unit_dir.empty() ? (root / "units").string() : unit_dir}};
}

}  // namespace quorvane::test
