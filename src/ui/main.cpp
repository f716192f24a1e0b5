#include "app/DesktopFiles.h"
#include "app/ProgramFiles.h"
#include "app/SettingsLocation.h"
#include "app/VnxLanguage.h"
#include "base/VnxIniFiles.h"
#include "report/VnxReport.h"
#include "ui/FormTexts.h"
#include "ui/FrmView.h"
#include "ui/ImageList.h"
#include "ui/LanguageDialog.h"
#include "ui/LocaleFormats.h"
#include "ui/StartScreen.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

using namespace lanescope;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // Task bars (Wayland ones by the desktop entry's id) show the program's own icon for its windows.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(app::kDesktopId.data(), app::kDesktopId.size()));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(ui::logoImage(QSize(size, size)));
    QApplication::setWindowIcon(icon);
    const std::filesystem::path folder = app::programFolder();
    // Without a home for the settings file (root without HOME) the settings live in memory for this run.
    const std::filesystem::path settingsFile = app::settingsFileLocation();
    std::unique_ptr<base::CustomIniFile> settingsStore;
    if (settingsFile.empty())
        settingsStore = std::make_unique<base::TVnxMemIniFile>(settingsFile);
    else
        settingsStore = std::make_unique<base::TVnxIniFile>(settingsFile);
    base::CustomIniFile& settings = *settingsStore;
    QApplication::setOverrideCursor(Qt::BusyCursor);

    // Dates, times and numbers as the desktop writes them; the language file adds month and day names.
    base::setCurrentFormatSettings(ui::withLocaleFormats(base::currentFormatSettings(), QLocale::system()));
    app::LanguageSetup setup;
    setup.folders = app::dataFolders(folder);
    setup.locale = app::userLocale();
    setup.screen = settings.ReadInteger("Config", "lbxLanguage", -1);
    if (settings.ValueExists("Config", "lbxPrnLanguage"))
        setup.printer = settings.ReadInteger("Config", "lbxPrnLanguage", 0);
    if (settings.ValueExists("Config", "lbxHlpLanguage"))
        setup.help = settings.ReadInteger("Config", "lbxHlpLanguage", 0);
    app::createLanguageManager(setup);
    // Reports run in the print language and return to the screen language afterwards.
    report::TVnxReport::setPrintLanguageHooks([] { app::LanguageManager().BeginPrintLanguage(); },
                                              [] { app::LanguageManager().EndPrintLanguage(); });
    ui::installFormTranslation();
    ui::ShowLanguageDialog(settings, false, true);
    app::refreshSwimVocabulary(app::LanguageManager());

    ui::setBetaFeatures(settings.ReadBool("Special", "Beta", false));
    ui::ShowStartScreen(2);

    QStringList parameters = QApplication::arguments();
    parameters.removeFirst();
    // A first parameter "$folder" names the folder for the form-text files of developer mode.
    if (!parameters.isEmpty() && parameters.first().startsWith(QLatin1Char('$')))
        ui::setDeveloperFolder(parameters.first().mid(1).toStdString());
    try {
        ui::TfrmView window(settings, parameters);
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lanescope: %s\n", error.what());
        return 1;
    }
}
