#pragma once

#include <string>

#include "platform/ServiceInstaller.h"

namespace quorvane {

// Installs a service as a systemd unit NAME.service in a unit directory and enables it the
// way "systemctl enable" does (a link in multi-user.target.wants); removing disables and
// deletes it. When systemd runs, it is asked to reload its units afterwards.
class SystemdUnitInstaller : public ServiceInstaller {
public:
    explicit SystemdUnitInstaller(std::string unit_dir = default_unit_dir());

    // $QUORVANE_UNIT_DIR when set and not empty, else /etc/systemd/system.
    static std::string default_unit_dir();

    // Fails when the unit directory is not a directory this process can write to.
    void open_manager() override;
    void create_service(const ServiceDefinition& service) override;
    void delete_service(const std::string& name) override;
    void close_manager() override {}
    std::string installed_note(const std::string& name) const override;

    std::string unit_path(const std::string& name) const;
    std::string wants_link_path(const std::string& name) const;

private:
    void write_new_file(const std::string& path, const std::string& text) const;
    void enable(const std::string& name) const;

    std::string m_unit_dir;
};

}  // namespace quorvane
