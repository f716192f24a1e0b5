#pragma once

#include "ui/DialogHooks.h"
#include "ui/VnxPrintDlg.h"

#include <QPushButton>
#include <QStringList>
#include <functional>

namespace lanescope::ui {

/**
 * Answers every print dialog the code under test opens: shows it and clicks the button chosen for it
 * (PDF, HTML, ...); the titles of the dialogs are appended to shown. Other dialogs are rejected.
 */
inline void answerPrintDialogs(QStringList& shown, std::function<QPushButton*(TVnxPrintDlg&)> button)
{
    dialogHooks().exec = [&shown, button = std::move(button)](QDialog& dialog) {
        shown.append(dialog.windowTitle());
        auto* print = qobject_cast<TVnxPrintDlg*>(&dialog);
        if (!print)
            return int(QDialog::Rejected);
        print->show();
        button(*print)->click();
        return print->result();
    };
}

} // namespace lanescope::ui
