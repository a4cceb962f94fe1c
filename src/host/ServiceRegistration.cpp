#include "host/ServiceRegistration.h"

#include <QCoreApplication>

#include <filesystem>
#include <iostream>

#include "config/DataDir.h"

#include "ui/common/MessageBox.h"

namespace quorvane {

std::string service_data_dir() {
    // Found as the service will find it when it runs: its user has no store of its own, so
    // the machine store names it or nothing does, and then the service's data directory is
    // its state directory, which the unit names.
    auto sources = default_data_dir_sources();
    sources.user_store.clear();
    std::string dir = settle_data_dir(sources, std::cerr);
    if (dir == sources.default_dir) return {};
    std::error_code error;
    auto absolute = std::filesystem::absolute(dir, error);
    return error ? dir : absolute.lexically_normal().string();
}

ServiceDefinition service_definition(const TService& service, const std::string& executable) {
    const auto& settings = service.settings();
    ServiceDefinition definition;
    definition.name = settings.Name;
    definition.display_name = settings.DisplayName.empty() ? settings.Name : settings.DisplayName;
    definition.executable_path = executable;
    definition.interactive = settings.Interactive;
    definition.auto_start = settings.StartType == TStartType::stAuto;
    definition.data_dir = service_data_dir();
    for (const auto& dependency : settings.Dependencies) {
        definition.dependencies.push_back(dependency.IsGroup ? "+" + dependency.Name
                                                             : dependency.Name);
    }
    return definition;
}

bool register_services(const std::vector<std::unique_ptr<TService>>& services,
                       ServiceInstaller& installer, bool install, bool silent) {
    const auto executable = QCoreApplication::applicationFilePath().toStdString();
    installer.open_manager();
    bool failed = false;
    for (const auto& service : services) {
        auto definition = service_definition(*service, executable);
        try {
            if (install) {
                installer.create_service(definition);
            } else {
                installer.delete_service(definition.name);
            }
        } catch (const std::exception& error) {
            failed = true;
            auto text = QString("Service \"%1\" failed to %2 with error: \"%3\"")
                            .arg(QString::fromStdString(definition.display_name),
                                 QString(install ? "install" : "uninstall"), QString(error.what()));
            MessageBox::error(nullptr, "Error", text);
        }
    }
    if (!failed && !silent) {
        MessageBox::information(
            nullptr, "Information",
            install ? "Service installed successfully" : "Service uninstalled successfully");
        // Where each unit went and how it starts, for the one who typed the command.
        if (install) {
            for (const auto& service : services) {
                std::cerr << installer.installed_note(service->settings().Name);
            }
            std::cerr.flush();
        }
    }
    installer.close_manager();
    return !failed;
}

}  // namespace quorvane
