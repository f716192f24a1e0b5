#include "app/VnxLanguage.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// One QApplication for all Qt tests of this program, on the offscreen platform unless one is chosen, with the
// German language of the source tree loaded.
class QtApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // Registering the file types (the first-start question) stays inside the test's own folder.
        const std::string home = ::testing::TempDir() + "/xdg";
        setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        FApplication = std::make_unique<QApplication>(FArgc, FArgv);
        lanescope::app::LanguageSetup setup;
        setup.folders = {LANESCOPE_LANG_DIR};
        setup.screen = 1;
        lanescope::app::createLanguageManager(setup);
    }

    void TearDown() override { FApplication.reset(); }

private:
    int FArgc = 1;
    char FName[10] = "ui_tests";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QApplication> FApplication;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
