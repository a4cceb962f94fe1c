#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/DialupDirectory.h"
#include "platform/linux/LinuxLinks.h"

namespace quorvane {

// Dial-up connections as pppd leaves them: the point-to-point interfaces that are up (in
// the last reading of the links), named after pppd's link name (the file RUN/ppp-NAME.pid
// holds the pid and then the interface name), and the phone book as the files of pppd's
// peers folder.
class PppDialupDirectory : public DialupDirectory {
public:
    explicit PppDialupDirectory(LinuxLinks& links, std::filesystem::path run_dir = "/run",
                                std::filesystem::path peers_dir = "/etc/ppp/peers");

    // One element per point-to-point interface that is up, ascending by interface index.
    void read_dialup_connections(TDialupEntriesArray& connections) override;
    // One element per file of the peers folder, ascending by name.
    void read_dialup_entries(TDialupEntriesArray& entries) override;

    // The most connections or entries a list holds; more leave it empty.
    static constexpr std::size_t max_entries = 100;

private:
    // pppd's link name for an interface, from the link pid files of the run folder.
    std::optional<std::string> link_name_of(const std::string& interface_name) const;

    LinuxLinks& m_links;
    std::filesystem::path m_run_dir;
    std::filesystem::path m_peers_dir;
};

}  // namespace quorvane
