#include "ui/LanguageDialog.h"

#include "app/VnxLanguage.h"
#include "base/VnxIniFiles.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <filesystem>

static void initLanguageResources() { Q_INIT_RESOURCE(lanescope); }

namespace lanescope::ui {

namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kListWidth = 170;
constexpr int kListHeight = 96;
constexpr int kFlagWidth = 18;
constexpr int kFlagHeight = 12;
constexpr int kTextLeft = 21;

/** The flag of a language index as an 18 x 12 picture. */
QPixmap flagImage(int index)
{
    initLanguageResources();
    QPixmap pixmap(kFlagWidth, kFlagHeight);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/images/languages/%1.svg").arg(index, 2, 10, QLatin1Char('0')));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

/** Draws an item as its flag 1 pixel from the left and top, then the name 21 pixels from the left. */
class FlagItemDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        painter->drawPixmap(option.rect.left() + 1, option.rect.top() + 1,
                            flagImage(index.data(kIndexRole).toInt()));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect.adjusted(kTextLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize text = QStyledItemDelegate::sizeHint(option, index);
        return {text.width() + kTextLeft, std::max(text.height(), kFlagHeight + 2)};
    }
};

// A caption above its list, in one column of the dialog's layout.
QListWidget* languageList(QWidget* parent, QGridLayout* grid, const char* name, const char* caption,
                          int column)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name).replace(QStringLiteral("lbx"), QStringLiteral("lbl")));
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setMinimumSize(kListWidth, kListHeight);
    list->setItemDelegate(new FlagItemDelegate(list));
    list->setSortingEnabled(true);
    label->setBuddy(list);
    grid->addWidget(label, 0, column);
    grid->addWidget(list, 1, column);
    return list;
}

void addLanguage(QListWidget* list, int index, const QString& name)
{
    auto* item = new QListWidgetItem(name);
    item->setData(kIndexRole, index);
    list->addItem(item);
}

void preselect(QListWidget* list, int index)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(kIndexRole).toInt() == index) {
            list->setCurrentRow(row);
            return;
        }
    if (list->count() > 0)
        list->setCurrentRow(0);
}

bool isFile(const std::filesystem::path& file)
{
    std::error_code error;
    return !file.empty() && std::filesystem::is_regular_file(file, error);
}

} // namespace

TvnxFLangSelect::TvnxFLangSelect(bool withHelpList, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("vnxFLangSelect"));
    setWindowTitle(QStringLiteral("Sprache auswählen"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    // The lists and their captions sit in a grid that grows with the translated captions; the chosen
    // languages apply at once when the dialog closes with OK.
    auto* grid = new QGridLayout;
    lbxLanguage = languageList(this, grid, "lbxLanguage", "Sprache Bildschirmanzeige:", 0);
    lbxPrnLanguage = languageList(this, grid, "lbxPrnLanguage", "Sprache für Ausdrucke:", 1);
    lbxHlpLanguage = languageList(this, grid, "lbxHlpLanguage", "Sprache für Hilfeanzeige:", 2);
    lbxHlpLanguage->setVisible(withHelpList);
    findChild<QLabel*>(QStringLiteral("lblHlpLanguage"))->setVisible(withHelpList);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    const app::TLanguage& language = app::LanguageManager();
    for (int index = 0; index < app::kAutomaticLanguage; ++index) {
        const QString name = QString::fromStdString(language.Text('G', 149, index + 1));
        if (isFile(language.LanguageFileName(index))) {
            addLanguage(lbxLanguage, index, name);
            addLanguage(lbxPrnLanguage, index, name);
        }
        if (isFile(language.HelpFileName(index)))
            addLanguage(lbxHlpLanguage, index, name);
    }
    preselect(lbxLanguage, language.screenLanguage());
    preselect(lbxPrnLanguage, language.printerLanguage());
    preselect(lbxHlpLanguage, language.helpLanguage());
}

int TvnxFLangSelect::selectedLanguage(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item->data(kIndexRole).toInt() : -1;
}

void TvnxFLangSelect::applyChoices(base::CustomIniFile& settings) const
{
    app::TLanguage& language = app::LanguageManager();
    int screen = selectedLanguage(lbxLanguage);
    if (screen >= 0)
        settings.WriteInteger("Config", "lbxLanguage", screen);
    else
        screen = app::kFallbackLanguage;
    if (const int printer = selectedLanguage(lbxPrnLanguage); printer >= 0) {
        language.setPrinterLanguage(printer);
        settings.WriteInteger("Config", "lbxPrnLanguage", printer);
    }
    if (const int help = selectedLanguage(lbxHlpLanguage); help >= 0) {
        language.SetHelpLanguage(help);
        settings.WriteInteger("Config", "lbxHlpLanguage", language.helpLanguage());
    }
    if (screen != language.screenLanguage())
        language.LoadLanguage(screen, true);
}

bool ShowLanguageDialog(base::CustomIniFile& settings, bool always, bool withHelpList, QWidget* parent)
{
    const int stored = settings.ReadInteger("Config", "lbxLanguage", -1);
    if (!always && stored >= 0 && stored < app::kAutomaticLanguage)
        return false;
    TvnxFLangSelect dialog(withHelpList, parent);
    if (dialog.lbxLanguage->count() < 2) {
        dialog.applyChoices(settings);
        return false;
    }
    if (dialog.exec() == QDialog::Accepted)
        dialog.applyChoices(settings);
    return true;
}

} // namespace lanescope::ui
