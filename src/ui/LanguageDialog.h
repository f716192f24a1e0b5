#pragma once

#include <QDialog>

class QListWidget;

namespace lanescope::base {
class CustomIniFile;
}

namespace lanescope::ui {

/**
 * `TvnxFLangSelect`: the choice of the screen, printer and help languages. Each list shows the languages
 * whose language file (help file for the help list) exists, with its flag and its name from G149; each item
 * carries its language index.
 */
class TvnxFLangSelect : public QDialog
{
    Q_OBJECT

public:
    /** withHelpList false hides the help list and narrows the dialog. */
    explicit TvnxFLangSelect(bool withHelpList, QWidget* parent = nullptr);

    /** The language index of a list's selected item, or -1. */
    static int selectedLanguage(const QListWidget* list);

    /**
     * OK: stores the selected screen language as "Config"/"lbxLanguage" (English when none is selected),
     * the printer language as "lbxPrnLanguage", applies the help language and stores the effective one as
     * "lbxHlpLanguage"; then loads a changed screen language with form refresh.
     */
    void applyChoices(base::CustomIniFile& settings) const;

    QListWidget* lbxLanguage;
    QListWidget* lbxPrnLanguage;
    QListWidget* lbxHlpLanguage;
};

/**
 * `ShowLanguageDialog`: unless always is set, does nothing when a screen language is stored. With fewer than
 * two language files the choices are applied without showing the dialog; otherwise it is shown modally and
 * OK applies them. Returns whether the dialog was shown.
 */
bool ShowLanguageDialog(base::CustomIniFile& settings, bool always, bool withHelpList,
                        QWidget* parent = nullptr);

} // namespace lanescope::ui
