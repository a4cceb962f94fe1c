#include "host/ServiceRegistration.h"

#include <QCoreApplication>

#include "ui/MessageBox.h"

namespace quorvane {

ServiceDefinition service_definition(const TService& service, const std::string& executable) {
    const auto& settings = service.settings();
    ServiceDefinition definition;
    definition.name = settings.Name;
    definition.display_name = settings.DisplayName.empty() ? settings.Name : settings.DisplayName;
    definition.executable_path = executable;
    definition.interactive = settings.Interactive;
    definition.auto_start = settings.StartType == TStartType::stAuto;
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
    }
    installer.close_manager();
    return !failed;
}

}  // namespace quorvane
