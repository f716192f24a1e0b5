#pragma once

#include <QEvent>
#include <QObject>
#include <QStringList>
#include <filesystem>

class QAction;
class QWidget;

/** Form texts: translating forms from the language file's form sections, and writing those sections. */
namespace lanescope::ui {

/** A component that reads and writes its own lines of a form section. */
class TranslatableComponent
{
public:
    virtual ~TranslatableComponent() = default;
    /** The lines the form-text export writes for the component. */
    virtual QStringList formTexts() const = 0;
    /** Applies the component's lines of a form section. */
    virtual void readFormTexts(const QStringList& lines) = 0;
};

/**
 * `TvnxActionList`: the actions of a form (its named QAction children) as one component of the form
 * section: "@" + action name, then the caption and the hint ("." for none).
 */
class TvnxActionList : public QObject, public TranslatableComponent
{
    Q_OBJECT

public:
    explicit TvnxActionList(QObject* form);

    QList<QAction*> actions() const;
    QStringList formTexts() const override;
    void readFormTexts(const QStringList& lines) override;
};

/** The section name of a form class: the class name without its namespace. */
QString formClassName(const QObject* form);
/** Whether a window is one of the program's forms (its class belongs to the program). */
bool isProgramForm(const QWidget* window);

/**
 * Applies the form sections of the form's class and its ancestor classes (ancestors first) from the loaded
 * language, then gives the form's captions distinct accelerators where possible.
 */
void TranslateForm(QWidget* form);
/** Gives the captions of a form (menus, buttons, group boxes, tabs, labels with a buddy) distinct
 * accelerators. */
void assignAccelerators(QWidget* form);

/** The lines of the form-text export: "[" + class + "]", the caption (or "."), the component entries. */
QStringList formTextExport(const QWidget* form);
/**
 * Writes folder/<class>.txt with the export lines (each ended by CR LF) unless the file exists. Returns true
 * when it wrote the file.
 */
bool exportFormTexts(const QWidget* form, const std::filesystem::path& folder);

/**
 * The event posted to every open program form after a language load with form refresh; it arrives after the
 * language manager has called its listener, so the form can rebuild texts it computed from the language.
 */
QEvent::Type formsRetranslatedEvent();

/** The folder for form-text files (developer mode); empty turns it off. */
void setDeveloperFolder(const std::filesystem::path& folder);
const std::filesystem::path& developerFolder();

/**
 * Translates every program form when it is first shown (writing its form texts first in developer mode,
 * then showing "Form - Texte gespeichert"), and all open forms again when the language manager loads a
 * language with the refresh flag. Needs the QApplication and the language manager; call again after a new
 * language manager was created.
 */
void installFormTranslation();

} // namespace lanescope::ui
