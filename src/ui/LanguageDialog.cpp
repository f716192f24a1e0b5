#include "ui/LanguageDialog.h"

#include "app/VnxLanguage.h"
#include "base/VnxIniFiles.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QSvgRenderer>
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
constexpr int kWideClient = 550;
constexpr int kNarrowClient = 370;
constexpr int kClientHeight = 190;

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

QListWidget* languageList(QWidget* parent, const char* name, const char* caption, int left)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name).replace(QStringLiteral("lbx"), QStringLiteral("lbl")));
    label->setGeometry(left, 8, kListWidth, 16);
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(left, 26, kListWidth, kListHeight);
    list->setItemDelegate(new FlagItemDelegate(list));
    list->setSortingEnabled(true);
    label->setBuddy(list);
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
    setFixedSize(withHelpList ? kWideClient : kNarrowClient, kClientHeight);

    lbxLanguage = languageList(this, "lbxLanguage", "Sprache Bildschirmanzeige:", 10);
    lbxPrnLanguage = languageList(this, "lbxPrnLanguage", "Sprache für Ausdrucke:", 190);
    lbxHlpLanguage = languageList(this, "lbxHlpLanguage", "Sprache für Hilfeanzeige:", 370);
    lbxHlpLanguage->setVisible(withHelpList);
    findChild<QLabel*>(QStringLiteral("lblHlpLanguage"))->setVisible(withHelpList);

    auto* note1 =
        new QLabel(QStringLiteral("Die neuegewählte Sprache wird erst beim nächsten Neustart des "), this);
    note1->setObjectName(QStringLiteral("lblNote1"));
    note1->setGeometry(10, 126, width() - 20, 16);
    auto* note2 = new QLabel(QStringLiteral("Programmes überall korrekt verwendet."), this);
    note2->setObjectName(QStringLiteral("lblNote2"));
    note2->setGeometry(10, 142, width() - 20, 16);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    constexpr int kButtonWidth = 80;
    constexpr int kGap = 10;
    const int left = (width() - 2 * kButtonWidth - kGap) / 2;
    ok->setGeometry(left, 162, kButtonWidth, 24);
    cancel->setGeometry(left + kButtonWidth + kGap, 162, kButtonWidth, 24);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

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
