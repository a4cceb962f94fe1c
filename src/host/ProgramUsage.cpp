#include "host/ProgramUsage.h"

#include <algorithm>

namespace quorvane {

namespace {

bool has(const std::vector<std::string>& arguments, const char* option) {
    return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
}

const char* const kUsage =
    "Usage: quorvane [-install | -uninstall] [-silent]\n"
    "       quorvane --help | -h | --version\n"
    "\n"
    "Quorvane meters the traffic and online time of this machine's network devices and\n"
    "logs every connection into config/log.db of its data directory.\n"
    "\n"
    "  (no switch)  run: as the service QVANESVC when systemd started it, else as a desktop\n"
    "               program (without a display on Qt's offscreen platform, windows hidden);\n"
    "               one instance per data directory: a second start there shows the\n"
    "               running one's window and ends\n"
    "  -install     write the systemd unit QVANESVC.service into /etc/systemd/system (or\n"
    "               $QUORVANE_UNIT_DIR) and enable it; start it with systemctl start QVANESVC\n"
    "  -uninstall   disable and remove that unit\n"
    "  -silent      with -install or -uninstall: no message on success (errors still show)\n"
    "  -h, --help   this text\n"
    "  --version    the version\n"
    "\n"
    "A switch begins with '-' or '/' and its letter case does not matter (/INSTALL).\n"
    "\n"
    "The data directory is CurrentDir in /etc/quorvane/registry.ini (section\n"
    "[Software\\bdgdd]), else CurrentDir in $XDG_CONFIG_HOME/quorvane/registry.ini\n"
    "(~/.config by default; section [Software\\pwktdd]), else $XDG_DATA_HOME/quorvane\n"
    "(~/.local/share/quorvane by default; the service's is /var/lib/quorvane). A default\n"
    "directory that lacks its files gets them at start from /usr/share/quorvane/data.\n"
    "quorvane-report shows what was logged there.\n";

}  // namespace

std::optional<std::string> usage_or_version_request(const std::vector<std::string>& arguments) {
    if (has(arguments, "--help") || has(arguments, "-h")) return std::string(kUsage);
    if (has(arguments, "--version")) return std::string("quorvane ") + QUORVANE_VERSION + "\n";
    return std::nullopt;
}

}  // namespace quorvane
