#include "ui/FormTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace lanescope::ui {

namespace {

/** One caption of a scope: its text and how to write it back. */
struct Caption
{
    QString text;
    std::function<void(const QString&)> write;
};

// Position of the accelerator marker "&" in a caption, or -1; "&&" is a literal ampersand.
qsizetype markerOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return i;
        ++i;
    }
    return -1;
}

bool wordStart(const QString& text, qsizetype i) { return i == 0 || !text[i - 1].isLetterOrNumber(); }

// A free letter for the caption: a word's first letter first, then any letter or digit.
qsizetype freePosition(const QString& text, const std::set<QChar>& used)
{
    for (const bool startsOnly : {true, false})
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == QLatin1Char('&')) {
                ++i; // a literal "&&"
                continue;
            }
            if (text[i].isLetterOrNumber() && (!startsOnly || wordStart(text, i)) &&
                !used.contains(text[i].toLower()))
                return i;
        }
    return -1;
}

// Keeps the accelerators that are free in the order of the captions, then gives the others a free letter.
// used: the letters taken already; the scope's letters are added.
void assignScope(std::vector<Caption>& captions, std::set<QChar>& used)
{
    std::vector<Caption*> open;
    for (Caption& caption : captions) {
        const qsizetype marker = markerOf(caption.text);
        if (marker >= 0 && !used.contains(caption.text[marker + 1].toLower()))
            used.insert(caption.text[marker + 1].toLower());
        else
            open.push_back(&caption);
    }
    for (Caption* caption : open) {
        QString text = caption->text;
        if (const qsizetype marker = markerOf(text); marker >= 0)
            text.remove(marker, 1);
        if (const qsizetype free = freePosition(text, used); free >= 0) {
            used.insert(text[free].toLower());
            text.insert(free, QLatin1Char('&'));
        }
        if (text != caption->text)
            caption->write(text);
    }
}

// The page a control belongs to: the tab page holding it, or the form.
QWidget* pageOf(QWidget* widget, QWidget* form)
{
    for (QWidget* w = widget->parentWidget(); w && w != form; w = w->parentWidget())
        if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget()))
            if (qobject_cast<QTabWidget*>(stack->parentWidget()))
                return w;
    return form;
}

} // namespace

void assignAccelerators(QWidget* form)
{
    std::vector<std::vector<Caption>> scopes;
    for (QMenuBar* bar : form->findChildren<QMenuBar*>()) {
        std::vector<Caption>& scope = scopes.emplace_back();
        for (QAction* action : bar->actions())
            if (!action->isSeparator() && action->isVisible())
                scope.push_back({action->text(), [action](const QString& t) { action->setText(t); }});
    }
    for (QMenu* menu : form->findChildren<QMenu*>()) {
        std::vector<Caption>& scope = scopes.emplace_back();
        for (QAction* action : menu->actions())
            if (!action->isSeparator() && action->isVisible() && !action->text().isEmpty())
                scope.push_back({action->text(), [action](const QString& t) { action->setText(t); }});
    }
    // Controls share their letters with the other controls of their page; tab captions with their form.
    std::map<QWidget*, std::vector<Caption>> pages;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        QWidget* page = pageOf(widget, form);
        if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            for (int k = 0; k < tabs->count(); ++k)
                if (tabs->isTabVisible(k))
                    pages[page].push_back(
                        {tabs->tabText(k), [tabs, k](const QString& t) { tabs->setTabText(k, t); }});
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (!qobject_cast<QToolButton*>(button) && !button->text().isEmpty())
                pages[page].push_back({button->text(), [button](const QString& t) { button->setText(t); }});
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            if (!group->title().isEmpty())
                pages[page].push_back({group->title(), [group](const QString& t) { group->setTitle(t); }});
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->buddy() && !label->text().isEmpty() && label->textFormat() != Qt::RichText)
                pages[page].push_back({label->text(), [label](const QString& t) { label->setText(t); }});
        }
    }
    for (std::vector<Caption>& scope : scopes) {
        std::set<QChar> used;
        assignScope(scope, used);
    }
    // The form's own controls and tab captions reach every page: a page's controls take other letters.
    std::set<QChar> formLetters;
    assignScope(pages[form], formLetters);
    for (auto& [page, captions] : pages)
        if (page != form) {
            std::set<QChar> used = formLetters;
            assignScope(captions, used);
        }
}

} // namespace lanescope::ui
