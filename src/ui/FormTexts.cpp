#include "ui/FormTexts.h"

#include "app/VnxLanguage.h"
#include "ui/QtTranslation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <fstream>
#include <functional>
#include <vector>

namespace lanescope::ui {

namespace {

const QString kDot = QStringLiteral(".");
constexpr const char* kTranslatedProperty = "lanescopeFormTranslated";

std::filesystem::path& folderSetting()
{
    static std::filesystem::path folder;
    return folder;
}

QString orDot(const QString& text) { return text.isEmpty() ? kDot : text; }

QString hintOf(const QWidget* widget) { return widget->toolTip(); }

void setHint(QWidget* widget, const QString& hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

// The tab widget whose page the widget is, or nullptr.
QTabWidget* tabWidgetOf(const QWidget* widget)
{
    auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(const_cast<QWidget*>(widget)) >= 0 ? tabs : nullptr;
}

QStringList captionAndHint(const QString& caption, const QString& hint)
{
    QStringList lines{hint.isEmpty() ? caption : orDot(caption)};
    if (!hint.isEmpty())
        lines.append(hint);
    return lines;
}

QStringList hintAndItems(const QString& hint, const QStringList& items)
{
    return QStringList{orDot(hint)} + items;
}

QStringList comboItems(const QComboBox* combo)
{
    QStringList items;
    for (int k = 0; k < combo->count(); ++k)
        items.append(combo->itemText(k));
    return items;
}

QStringList listItems(const QListWidget* list)
{
    QStringList items;
    for (int k = 0; k < list->count(); ++k)
        items.append(list->item(k)->text());
    return items;
}

QString memoText(const QWidget* widget)
{
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return plain->toPlainText();
    return qobject_cast<const QTextEdit*>(widget)->toPlainText();
}

// The export lines of one component, by its kind; empty when it writes nothing.
QStringList exportLines(const QObject* component)
{
    if (auto* own = dynamic_cast<const TranslatableComponent*>(component))
        return own->formTexts();
    auto* widget = qobject_cast<const QWidget*>(component);
    if (!widget)
        return {};
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return captionAndHint(label->text(), hintOf(label));
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        auto* tool = qobject_cast<const QToolButton*>(button);
        return tool && tool->defaultAction() ? QStringList() : captionAndHint(button->text(), hintOf(button));
    }
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return hintAndItems(hintOf(combo), comboItems(combo));
    if (auto* list = qobject_cast<const QListWidget*>(widget))
        return hintAndItems(hintOf(list), listItems(list));
    if (auto* group = qobject_cast<const QGroupBox*>(widget))
        return captionAndHint(group->title(), hintOf(group));
    if (auto* menu = qobject_cast<const QMenu*>(widget))
        return captionAndHint(menu->title(), menu->menuAction()->statusTip());
    if (tabWidgetOf(widget))
        return {};
    if (qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget)) {
        const QString text = memoText(widget);
        if (hintOf(widget).isEmpty() && text.isEmpty())
            return {};
        return QStringList{orDot(hintOf(widget))} + text.split(QLatin1Char('\n'));
    }
    return hintOf(widget).isEmpty() ? QStringList() : QStringList{hintOf(widget)};
}

// Caption and hint of labels, buttons, group boxes and menus: "." is an empty caption, as the export writes.
void applyCaption(const QStringList& lines, const std::function<void(const QString&)>& setCaption,
                  const std::function<void(const QString&)>& setHintText)
{
    setCaption(lines.first() == kDot ? QString() : lines.first());
    if (lines.size() >= 2)
        setHintText(lines[1]);
}

void applyLines(QObject* component, const QStringList& lines)
{
    if (auto* own = dynamic_cast<TranslatableComponent*>(component)) {
        own->readFormTexts(lines);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(component);
    if (!widget || lines.isEmpty())
        return;
    const QString first = lines.first();
    const QStringList rest = lines.mid(1);
    auto hintSetter = [widget](const QString& hint) { setHint(widget, hint); };
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        applyCaption(
            lines,
            [label](const QString& t) {
                label->setText(t);
                // A label placed by hand grows with its text, as one in a layout does.
                if (label->parentWidget() && !label->parentWidget()->layout() && !label->wordWrap())
                    label->adjustSize();
            },
            hintSetter);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        applyCaption(
            lines, [button](const QString& t) { button->setText(t); }, hintSetter);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (first != kDot)
            setHint(combo, first);
        const int selected = combo->currentIndex();
        const QSignalBlocker block(combo);
        combo->clear();
        combo->addItems(rest);
        combo->setCurrentIndex(selected < combo->count() ? selected : -1);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        if (first != kDot)
            setHint(list, first);
        const int selected = list->currentRow();
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(rest);
        list->setCurrentRow(selected < list->count() ? selected : -1);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        applyCaption(
            lines, [group](const QString& t) { group->setTitle(t); }, hintSetter);
    } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
        applyCaption(
            lines, [menu](const QString& t) { menu->setTitle(t); },
            [menu](const QString& t) { menu->menuAction()->setStatusTip(t); });
    } else if (QTabWidget* tabs = tabWidgetOf(widget)) {
        tabs->setTabText(tabs->indexOf(widget), first);
    } else if (qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTextEdit*>(widget)) {
        if (first != kDot)
            setHint(widget, first);
        const QString text = rest.join(QLatin1Char('\n'));
        if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
            plain->setPlainText(text);
        else
            qobject_cast<QTextEdit*>(widget)->setPlainText(text);
    } else {
        setHint(widget, first);
    }
}

// The program's classes of the form from the top ancestor down to the form's own class.
std::vector<QString> classChain(const QObject* form)
{
    std::vector<QString> chain;
    for (const QMetaObject* meta = form->metaObject(); meta; meta = meta->superClass())
        if (QString::fromLatin1(meta->className()).startsWith(QLatin1String("lanescope::")))
            chain.insert(chain.begin(),
                         QString::fromLatin1(meta->className()).section(QLatin1String("::"), -1));
    return chain;
}

void applySection(QWidget* form, const QString& className)
{
    const app::TLanguage& language = app::LanguageManager();
    const app::LanguageSection* section = language.findSection(className.toStdString());
    if (!section || section->lineCount <= 0)
        return;
    const auto& lines = language.lines();
    const auto line = [&lines](int k) { return QString::fromStdString(lines[static_cast<std::size_t>(k)]); };
    const int end = std::min(section->firstLine + section->lineCount, static_cast<int>(lines.size()));
    QString caption = line(section->firstLine);
    if (!caption.isEmpty() && caption != kDot)
        form->setWindowTitle(caption.startsWith(QLatin1Char('$')) ? caption.mid(1) : caption);
    int k = section->firstLine + 1;
    while (k < end && !line(k).startsWith(QLatin1String(".@")))
        ++k;
    while (k < end) {
        QString name = line(k).mid(2);
        if (name.endsWith(QLatin1Char('$')))
            name.chop(1);
        QStringList texts;
        for (++k; k < end && !line(k).startsWith(QLatin1String(".@")); ++k)
            texts.append(line(k));
        if (QObject* component = name.isEmpty() ? nullptr : form->findChild<QObject*>(name))
            applyLines(component, texts);
    }
}

bool hasLetter(const QStringList& lines)
{
    for (const QString& line : lines)
        for (const QChar c : line)
            if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                (c >= QLatin1Char('a') && c <= QLatin1Char('z')))
                return true;
    return false;
}

/** Translates program forms at their first showing and all open forms when the language changes. */
class FormTranslationFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* form = static_cast<QWidget*>(watched);
        if (!form->isWindow() || !isProgramForm(form) || form->property(kTranslatedProperty).toBool())
            return false;
        form->setProperty(kTranslatedProperty, true);
        if (!developerFolder().empty() && exportFormTexts(form, developerFolder())) {
            QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(),
                            formClassName(form) + QStringLiteral("\nForm - Texte gespeichert"),
                            QMessageBox::Ok);
            box.exec();
        }
        TranslateForm(form);
        return false;
    }
};

void refreshOpenForms()
{
    for (QWidget* form : QApplication::topLevelWidgets())
        if (isProgramForm(form) && form->property(kTranslatedProperty).toBool()) {
            TranslateForm(form);
            QCoreApplication::postEvent(form, new QEvent(formsRetranslatedEvent()));
        }
}

} // namespace

TvnxActionList::TvnxActionList(QObject* form)
    : QObject(form)
{
    setObjectName(QStringLiteral("ActionList1"));
}

QList<QAction*> TvnxActionList::actions() const
{
    QList<QAction*> named;
    for (QAction* action : parent()->findChildren<QAction*>(Qt::FindDirectChildrenOnly))
        if (!action->objectName().isEmpty())
            named.append(action);
    return named;
}

QStringList TvnxActionList::formTexts() const
{
    QStringList lines;
    for (const QAction* action : actions())
        if (!action->text().isEmpty() || !action->statusTip().isEmpty())
            lines << QLatin1Char('@') + action->objectName() << orDot(action->text())
                  << orDot(action->statusTip());
    return lines;
}

void TvnxActionList::readFormTexts(const QStringList& lines)
{
    QStringList texts = lines;
    for (QString& line : texts)
        if (line.endsWith(QLatin1Char('$')))
            line.chop(1);
    for (QAction* action : actions()) {
        const qsizetype at = texts.indexOf(QLatin1Char('@') + action->objectName());
        if (at < 0 || at + 1 >= texts.size())
            continue;
        if (texts[at + 1] != kDot)
            action->setText(texts[at + 1]);
        if (at + 2 < texts.size() && texts[at + 2] != kDot)
            action->setStatusTip(texts[at + 2]);
        QString shown = action->text();
        shown.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        action->setToolTip(action->statusTip().isEmpty() ? shown : action->statusTip());
    }
}

QString formClassName(const QObject* form)
{
    return QString::fromLatin1(form->metaObject()->className()).section(QLatin1String("::"), -1);
}

bool isProgramForm(const QWidget* window)
{
    return QString::fromLatin1(window->metaObject()->className()).startsWith(QLatin1String("lanescope::"));
}

void TranslateForm(QWidget* form)
{
    for (const QString& name : classChain(form))
        applySection(form, name);
    assignAccelerators(form);
}

QStringList formTextExport(const QWidget* form)
{
    QStringList lines{QLatin1Char('[') + formClassName(form) + QLatin1Char(']'), orDot(form->windowTitle())};
    for (const QObject* component : form->findChildren<QObject*>()) {
        if (component->objectName().isEmpty())
            continue;
        const QStringList texts = exportLines(component);
        if (!hasLetter(texts) || texts == QStringList{QStringLiteral("OK")})
            continue;
        lines << QStringLiteral(".@") + component->objectName() << texts;
    }
    return lines;
}

bool exportFormTexts(const QWidget* form, const std::filesystem::path& folder)
{
    const std::filesystem::path file = folder / (formClassName(form).toStdString() + ".txt");
    std::error_code error;
    if (std::filesystem::exists(file, error))
        return false;
    std::ofstream out(file, std::ios::binary);
    for (const QString& line : formTextExport(form))
        out << line.toStdString() << "\r\n";
    return static_cast<bool>(out);
}

QEvent::Type formsRetranslatedEvent()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void setDeveloperFolder(const std::filesystem::path& folder) { folderSetting() = folder; }

const std::filesystem::path& developerFolder() { return folderSetting(); }

void installFormTranslation()
{
    static QPointer<FormTranslationFilter> filter;
    if (!filter) {
        filter = new FormTranslationFilter(qApp);
        qApp->installEventFilter(filter);
    }
    // Qt's own texts (Yes, Cancel, the file dialogs) follow the screen language too.
    loadQtTranslation(app::LanguageManager().screenLanguage());
    app::LanguageManager().setFormRefresher([] {
        loadQtTranslation(app::LanguageManager().screenLanguage());
        refreshOpenForms();
    });
}

} // namespace lanescope::ui
