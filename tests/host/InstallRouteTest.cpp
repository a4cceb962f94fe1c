#include "host/HostFixture.h"
#include "ui/common/MessageBox.h"

namespace quorvane::test {
namespace {

struct InstallStep {
    std::vector<std::string> arguments;
    int exit_code;
    const char* caption;  // nullptr: no box at all
    const char* text;
};

using InstallRoute = HostFixture;

TEST_F(InstallRoute, RegistersAndRemovesTheServiceWithTheDialogsOfEachOutcome) {
    const std::vector<InstallStep> steps = {
        {{"-install"}, 0, "Information", "Service installed successfully"},
        {{"/INSTALL"},
         1,
         "Error",
         "Service \"Quorvane server edition\" failed to install with error: \"The service "
         "exists already\""},
        {{"\\uninstall"}, 0, "Information", "Service uninstalled successfully"},
        {{"-Uninstall"},
         1,
         "Error",
         "Service \"Quorvane server edition\" failed to uninstall with error: \"The service is "
         "not installed\""},
        {{"-install", "-silent"}, 0, nullptr, nullptr},
        {{"-uninstall", "/SILENT"}, 0, nullptr, nullptr},
        // SILENT hides only the success.
        {{"-silent", "-uninstall"},
         1,
         "Error",
         "Service \"Quorvane server edition\" failed to uninstall with error: \"The service is "
         "not installed\""},
    };
    for (const auto& step : steps) {
        std::string shown;
        for (const auto& a : step.arguments) shown += a + " ";
        auto& app = make_application(step.arguments);
        auto p = ports();
        MessageBox::set_next_answer(MessageBox::Ok);
        MessageBox::information(nullptr, "-", "nothing shown");

        EXPECT_EQ(program_body(app, p), step.exit_code) << shown;

        EXPECT_EQ(MessageBox::last_caption(), step.caption ? step.caption : "-") << shown;
        EXPECT_EQ(MessageBox::last_text(), step.text ? step.text : "nothing shown") << shown;
        EXPECT_EQ(app.forms(), nullptr) << shown;
        application.reset();
    }
    EXPECT_TRUE(lock.asked.empty()) << "the install route takes no lock";
    EXPECT_EQ(installer.opened, installer.closed);
}

TEST_F(InstallRoute, TheServiceIsRegisteredWithItsSettings) {
    auto& app = make_application({"-install", "-silent"});
    auto p = ports();
    ASSERT_EQ(program_body(app, p), 0);

    ASSERT_EQ(installer.installed.size(), 1u);
    const auto& service = installer.installed[0];
    EXPECT_EQ(service.name, "QVANESVC");
    EXPECT_EQ(service.display_name, "Quorvane server edition");
    EXPECT_EQ(service.executable_path, QCoreApplication::applicationFilePath().toStdString());
    EXPECT_TRUE(service.interactive);
    EXPECT_TRUE(service.auto_start);
    EXPECT_EQ(service.dependencies, (std::vector<std::string>{"Netman", "RASMan"}));
}

TEST_F(InstallRoute, AnUnreachableServiceManagerEndsWithItsErrorAndANonZeroCode) {
    installer.unreachable = true;
    auto& app = make_application({"-install", "-silent"});
    auto p = ports();

    EXPECT_EQ(program_body(app, p), 13);

    EXPECT_EQ(MessageBox::last_caption(), "Error");
    EXPECT_EQ(MessageBox::last_text(), "Cannot reach the service manager: denied");
    EXPECT_TRUE(installer.installed.empty());
}

}  // namespace
}  // namespace quorvane::test
