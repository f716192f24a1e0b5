#pragma once

#include <QString>

namespace lanescope::ui {

/**
 * The name of Qt's own translation for a screen language ("qtbase_de" for German and Swiss German); empty
 * for English, whose texts Qt has built in.
 */
QString qtTranslationName(int screenLanguage);

/**
 * Loads Qt's own translation (button texts such as Yes and Cancel, the file dialogs) for the screen language
 * in place of the one loaded before; English or a language Qt has no translation for leaves Qt's built-in
 * English texts. Needs the QApplication.
 */
void loadQtTranslation(int screenLanguage);

} // namespace lanescope::ui
