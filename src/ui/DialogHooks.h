#pragma once

#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace lanescope::ui {

/**
 * The file dialogs, questions and modal dialogs of the printing dialogs. The defaults show Qt's
 * dialogs; tests replace them to answer without blocking and restore them with `resetDialogHooks`.
 */
struct DialogHooks
{
    /** A save dialog without its own overwrite question; filter in "Name|*.x|Name|*.y" form, index from 1;
     * an empty result is Cancel. */
    std::function<QString(QWidget* parent, const QString& title, const QString& directory,
                          const QString& filter, int filterIndex)>
        saveFileName;
    /** An open dialog for an existing file; empty result is Cancel. */
    std::function<QString(QWidget* parent, const QString& title, const QString& directory,
                          const QString& filter)>
        openFileName;
    /** A yes/no question with the application title; true for Yes. */
    std::function<bool(QWidget* parent, const QString& text)> question;
    /** A message with the application title. */
    std::function<void(QWidget* parent, const QString& text)> message;
    /** Shows a dialog modally and gives its result. */
    std::function<int(QDialog& dialog)> exec;
};

DialogHooks& dialogHooks();
void resetDialogHooks();

/** "Name|*.a;*.b|..." as a Qt filter list "Name (*.a *.b);;..."; the index (from 1) picks the selected one.
 */
QString qtFileFilter(const QString& filter, int filterIndex = 0, QString* selected = nullptr);

} // namespace lanescope::ui
