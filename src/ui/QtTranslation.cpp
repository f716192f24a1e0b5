#include "ui/QtTranslation.h"

#include "app/VnxLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>
#include <string_view>
#include <utility>

namespace lanescope::ui {

QString qtTranslationName(int screenLanguage)
{
    const std::string code = app::TLanguage::CodeOf(screenLanguage);
    // Language codes whose Qt translation goes by another name; English ones need none.
    constexpr std::pair<std::string_view, std::string_view> kRenamed[] = {
        {"ch", "de"}, {"dk", "da"}, {"pt", "pt_BR"}, {"us", ""}, {"uk", ""}};
    std::string_view qtCode = code;
    for (const auto& [own, qt] : kRenamed)
        if (code == own)
            qtCode = qt;
    return qtCode.empty() ? QString()
                          : QStringLiteral("qtbase_") + QString::fromUtf8(qtCode.data(), qtCode.size());
}

void loadQtTranslation(int screenLanguage)
{
    static QTranslator* translator = nullptr;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    const QString name = qtTranslationName(screenLanguage);
    if (name.isEmpty())
        return;
    auto loaded = std::make_unique<QTranslator>();
    if (loaded->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        translator = loaded.release();
        QCoreApplication::installTranslator(translator);
    }
}

} // namespace lanescope::ui
