#include "ui/DialogHooks.h"

#include "base/ProductVersion.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace lanescope::ui {

namespace {

QString title() { return QString::fromUtf8(base::applicationTitle); }

QString lineBreaks(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

DialogHooks defaultHooks()
{
    DialogHooks hooks;
    hooks.saveFileName = [](QWidget* parent, const QString& caption, const QString& directory,
                            const QString& filter, int filterIndex) {
        QString selected;
        const QString filters = qtFileFilter(filter, filterIndex, &selected);
        return QFileDialog::getSaveFileName(parent, caption, directory, filters, &selected,
                                            QFileDialog::DontConfirmOverwrite);
    };
    hooks.openFileName = [](QWidget* parent, const QString& caption, const QString& directory,
                            const QString& filter) {
        return QFileDialog::getOpenFileName(parent, caption, directory, qtFileFilter(filter));
    };
    hooks.question = [](QWidget* parent, const QString& text) {
        return QMessageBox::question(parent, title(), lineBreaks(text), QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    hooks.message = [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, title(), lineBreaks(text));
    };
    hooks.exec = [](QDialog& dialog) { return dialog.exec(); };
    return hooks;
}

} // namespace

DialogHooks& dialogHooks()
{
    static DialogHooks hooks = defaultHooks();
    return hooks;
}

void resetDialogHooks() { dialogHooks() = defaultHooks(); }

QString qtFileFilter(const QString& filter, int filterIndex, QString* selected)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        QString name = parts[k];
        const qsizetype bracket = name.indexOf(QLatin1String(" ("));
        if (bracket >= 0)
            name.truncate(bracket);
        filters.append(name + QStringLiteral(" (") +
                       QString(parts[k + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')'));
    }
    if (selected && filterIndex >= 1 && filterIndex <= filters.size())
        *selected = filters[filterIndex - 1];
    return filters.join(QStringLiteral(";;"));
}

} // namespace lanescope::ui
