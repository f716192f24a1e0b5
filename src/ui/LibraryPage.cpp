#include "ui/LibraryPage.h"

#include "base/LanguageTexts.h"
#include "base/VnxIniFiles.h"
#include "chart/ProgressionFromLibrary.h"
#include "library/MeetReader.h"
#include "library/SeasonLibrary.h"
#include "report/VnxReport.h"
#include "swim/TextFormat.h"
#include "ui/ChartView.h"
#include "ui/DialogHooks.h"
#include "ui/ElidedTexts.h"
#include "ui/ReportDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

namespace lanescope::ui {

namespace {

QString text(int number)
{
    return QString::fromStdString(base::languageText('V', number)).replace("\r\n", "\n");
}

QString qt(const std::string& utf8) { return QString::fromStdString(utf8); }

} // namespace

LibraryPage::LibraryPage(base::CustomIniFile& settings, QWidget* parent)
    : QWidget(parent)
    , FSettings(settings)
    , FFile(library::SeasonLibrary::configuredPath(settings))
{
    FSearchLabel = new QLabel;
    FSearch = new QLineEdit;
    FSearch->setClearButtonEnabled(true);
    FSearchLabel->setBuddy(FSearch);
    FAddFiles = new QPushButton;
    FAddFolder = new QPushButton;
    FProgress = new QProgressBar;
    FProgress->setTextVisible(true);
    FProgress->setVisible(false);
    FCancel = new QPushButton;
    FCancel->setVisible(false);
    auto* top = new QHBoxLayout;
    top->addWidget(FSearchLabel);
    top->addWidget(FSearch, 1);
    top->addWidget(FProgress, 1);
    top->addWidget(FCancel);
    top->addWidget(FAddFiles);
    top->addWidget(FAddFolder);

    FAthletes = createList();
    FAthletes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FAthletes->setContextMenuPolicy(Qt::CustomContextMenu);
    FAthletesEmpty = new QLabel;
    FAthletesEmpty->setWordWrap(true);
    FAthletesEmpty->setAlignment(Qt::AlignCenter);
    FAthleteStack = new QStackedWidget;
    FAthleteStack->addWidget(FAthletes);
    FAthleteStack->addWidget(FAthletesEmpty);
    FMerge = new QPushButton;
    FMerge->setEnabled(false);
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(FAthleteStack, 1);
    leftLayout->addWidget(FMerge, 0, Qt::AlignLeft);

    FTabs = new QTabWidget;
    FTabs->addTab(createAthletePane(), QString());
    FBestsList = createList();
    FTabs->addTab(FBestsList, QString());
    FTabs->addTab(createBestListPane(), QString());
    // The history tab shows its list inside the athlete pane; the bests tab shares the title through it.
    auto* splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(FTabs);
    splitter->setStretchFactor(1, 3);
    splitter->setChildrenCollapsible(false);

    FMessage = new QLabel;
    FMessage->setWordWrap(true);
    FPrint = new QPushButton;
    FExport = new QPushButton;
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(FMessage, 1);
    bottom->addWidget(FPrint);
    bottom->addWidget(FExport);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);

    connect(FSearch, &QLineEdit::textChanged, this, [this](const QString& search) { findAthletes(search); });
    connect(FAthletes, &QTreeWidget::currentItemChanged, this, [this] { athleteChosen(); });
    connect(FAthletes, &QTreeWidget::itemSelectionChanged, this,
            [this] { FMerge->setEnabled(FAthletes->selectedItems().size() >= 2); });
    connect(FAthletes, &QWidget::customContextMenuRequested, this, &LibraryPage::athleteMenu);
    connect(FMerge, &QPushButton::clicked, this, &LibraryPage::mergeClicked);
    connect(FAddFiles, &QPushButton::clicked, this, &LibraryPage::addFilesClicked);
    connect(FAddFolder, &QPushButton::clicked, this, &LibraryPage::addFolderClicked);
    connect(FCancel, &QPushButton::clicked, this, [this] { FCancelled = true; });
    connect(FShowBestList, &QPushButton::clicked, this, [this] { showBestList(bestListFilter()); });
    connect(FClub, &QLineEdit::returnPressed, this, [this] { showBestList(bestListFilter()); });
    connect(FPrint, &QPushButton::clicked, this, &LibraryPage::print);
    connect(FExport, &QPushButton::clicked, this, &LibraryPage::exportClicked);
    retranslate();
}

LibraryPage::~LibraryPage()
{
    if (FWorker) {
        FCancelled = true;
        FWorker->wait();
    }
}

QTreeWidget* LibraryPage::createList()
{
    auto* list = new QTreeWidget;
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    list->header()->setStretchLastSection(true);
    list->setTextElideMode(Qt::ElideRight);
    return list;
}

QWidget* LibraryPage::createAthletePane()
{
    auto* pane = new QWidget;
    FAthleteTitle = new ElidedLabel;
    // The progression picture of one event and course, chosen among those the athlete swam.
    FProgressionPane = new QWidget;
    FProgressionPane->setObjectName(QStringLiteral("libraryProgression"));
    FProgressionLabel = new QLabel;
    FProgressionEvent = new QComboBox;
    FProgressionEvent->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    FProgressionLabel->setBuddy(FProgressionEvent);
    FProgression = new ChartView;
    FProgression->setMinimumHeight(200);
    auto* choice = new QHBoxLayout;
    choice->addWidget(FProgressionLabel);
    choice->addWidget(FProgressionEvent);
    choice->addStretch(1);
    auto* progressionLayout = new QVBoxLayout(FProgressionPane);
    progressionLayout->setContentsMargins(0, 0, 0, 0);
    progressionLayout->addLayout(choice);
    progressionLayout->addWidget(FProgression, 1);
    FProgressionPane->setVisible(false);
    connect(FProgressionEvent, &QComboBox::currentIndexChanged, this, &LibraryPage::showProgression);
    FHistoryList = createList();
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(FProgressionPane);
    split->addWidget(FHistoryList);
    split->setChildrenCollapsible(false);
    // The picture gets the room it draws in (its panel and axis, about 330 pixels); the history the rest.
    split->setStretchFactor(1, 1);
    split->setSizes({330, 200});
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FAthleteTitle);
    layout->addWidget(split, 1);
    return pane;
}

QWidget* LibraryPage::createBestListPane()
{
    auto* pane = new QWidget;
    FClubLabel = new QLabel;
    FClub = new QLineEdit;
    FClubLabel->setBuddy(FClub);
    FGenderLabel = new QLabel;
    FGender = new QComboBox;
    FGenderLabel->setBuddy(FGender);
    FCourseLabel = new QLabel;
    FCourse = new QComboBox;
    FCourseLabel->setBuddy(FCourse);
    FFromLabel = new QLabel;
    FFrom = new QLineEdit;
    FFrom->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    FFromLabel->setBuddy(FFrom);
    FToLabel = new QLabel;
    FTo = new QLineEdit;
    FTo->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    FToLabel->setBuddy(FTo);
    FBirthYearLabel = new QLabel;
    FBirthYear = new QSpinBox;
    FBirthYear->setRange(0, 2100);
    FBirthYear->setSpecialValueText(QStringLiteral("-"));
    FBirthYearLabel->setBuddy(FBirthYear);
    FShowBestList = new QPushButton;
    FShowBestList->setDefault(true);
    auto* filters = new QGridLayout;
    filters->addWidget(FClubLabel, 0, 0);
    filters->addWidget(FClub, 0, 1, 1, 3);
    filters->addWidget(FGenderLabel, 0, 4);
    filters->addWidget(FGender, 0, 5);
    filters->addWidget(FCourseLabel, 0, 6);
    filters->addWidget(FCourse, 0, 7);
    filters->addWidget(FFromLabel, 1, 0);
    filters->addWidget(FFrom, 1, 1);
    filters->addWidget(FToLabel, 1, 2);
    filters->addWidget(FTo, 1, 3);
    filters->addWidget(FBirthYearLabel, 1, 4);
    filters->addWidget(FBirthYear, 1, 5);
    filters->addWidget(FShowBestList, 1, 7);
    filters->setColumnStretch(1, 1);
    filters->setColumnStretch(3, 1);
    FBestListView = createList();
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(filters);
    layout->addWidget(FBestListView, 1);
    return pane;
}

void LibraryPage::retranslate()
{
    FSearchLabel->setText(text(171));
    FAddFiles->setText(text(172));
    FAddFolder->setText(text(173));
    FCancel->setText(text(174));
    FTabs->setTabText(HistoryTab, text(175));
    FTabs->setTabText(BestsTab, text(176));
    FTabs->setTabText(BestListTab, text(177));
    FProgressionLabel->setText(text(231) + ':');
    FClubLabel->setText(text(190) + ':');
    FGenderLabel->setText(text(191) + ':');
    FCourseLabel->setText(text(181) + ':');
    FFromLabel->setText(text(192) + ':');
    FToLabel->setText(text(193) + ':');
    FBirthYearLabel->setText(text(194) + ':');
    FShowBestList->setText(text(195));
    FMerge->setText(text(196));
    FPrint->setText(text(206));
    FExport->setText(text(205));
    const int gender = std::max(0, FGender->currentIndex());
    const QStringList genders = QString::fromStdString(base::languageText('S', 3)).split(';');
    FGender->clear();
    FGender->addItems({text(208), genders.value(0), genders.value(1)});
    FGender->setCurrentIndex(gender);
    const int course = std::max(0, FCourse->currentIndex());
    FCourse->clear();
    FCourse->addItem(text(208));
    for (const int code : {library::kCourseSCM, library::kCourseLCM, library::kCourseSCY})
        FCourse->addItem(qt(library::courseCode(code)), code);
    FCourse->setCurrentIndex(course);
    // The lists take the captions of the new language too.
    findAthletes(FSearch->text());
    if (FAthlete != 0)
        showAthlete(FAthlete);
    else
        FAthleteTitle->setText(text(207));
    if (!FBestList.columns.empty())
        showBestList(bestListFilter());
}

library::SeasonLibrary* LibraryPage::library(bool create)
{
    if (FLibrary)
        return FLibrary.get();
    std::error_code missing;
    if (!create && !std::filesystem::exists(FFile, missing))
        return nullptr;
    try {
        FLibrary = std::make_unique<library::SeasonLibrary>(FFile);
    } catch (const library::LibraryError& error) {
        if (error.damaged() && dialogHooks().question(this, text(201))) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            try {
                library::SeasonLibrary::rebuild(FFile, {});
                FLibrary = std::make_unique<library::SeasonLibrary>(FFile);
            } catch (const library::LibraryError& again) {
                showMessage(qt(swim::formatText(base::languageText('V', 200), {FFile, again.what()})));
            }
            QApplication::restoreOverrideCursor();
        } else {
            showMessage(qt(swim::formatText(base::languageText('V', 200), {FFile, error.what()})));
        }
    }
    return FLibrary.get();
}

void LibraryPage::showMessage(const QString& message)
{
    FMessage->setText(QString(message).replace("\r\n", "\n"));
}

void LibraryPage::fillList(QTreeWidget* list, const library::LibraryTable& table)
{
    list->clear();
    QStringList captions;
    for (const std::string& column : table.columns)
        captions << qt(column);
    list->setHeaderLabels(captions);
    QList<QTreeWidgetItem*> items;
    for (const auto& row : table.rows) {
        auto* item = new QTreeWidgetItem;
        for (std::size_t k = 0; k < row.size(); ++k) {
            item->setText(static_cast<int>(k), qt(row[k]));
            item->setToolTip(static_cast<int>(k), qt(row[k]));
        }
        items << item;
    }
    list->addTopLevelItems(items);
    for (int k = 0; k + 1 < list->columnCount(); ++k)
        list->resizeColumnToContents(k);
}

void LibraryPage::findAthletes(const QString& search)
{
    library::SeasonLibrary* store = library();
    if (!store) {
        FAthletesEmpty->setText(text(203));
        FAthleteStack->setCurrentIndex(1);
        return;
    }
    const library::LibraryTable table = library::athletesTable(store->athletes(search.toStdString()));
    // The library's own ids stay in the item's data; the list shows name, clubs and swims.
    FAthletes->blockSignals(true);
    FAthletes->clear();
    FAthletes->setHeaderLabels({qt(table.columns[1]), qt(table.columns[2]), qt(table.columns[3])});
    for (const auto& row : table.rows) {
        auto* item = new QTreeWidgetItem(FAthletes, {qt(row[1]), qt(row[2]), qt(row[3])});
        item->setData(0, Qt::UserRole, QVariant::fromValue<qlonglong>(std::stoll(row[0])));
        item->setToolTip(0, qt(row[1]));
        item->setToolTip(1, qt(row[2]));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    FAthletes->resizeColumnToContents(0);
    FAthletes->blockSignals(false);
    const bool empty = table.rows.empty();
    FAthletesEmpty->setText(search.trimmed().isEmpty() ? text(203) : text(202));
    FAthleteStack->setCurrentIndex(empty ? 1 : 0);
}

void LibraryPage::athleteChosen()
{
    const QTreeWidgetItem* item = FAthletes->currentItem();
    if (item)
        showAthlete(item->data(0, Qt::UserRole).toLongLong());
}

void LibraryPage::showAthlete(std::int64_t id)
{
    library::SeasonLibrary* store = library();
    if (!store)
        return;
    const std::optional<library::AthleteRow> athlete = store->athlete(id);
    if (!athlete)
        return;
    FAthlete = id;
    const std::string title = athlete->nameText() + (athlete->clubs.empty() ? "" : " - " + athlete->clubs);
    FAthleteTitle->setText(qt(title));
    FHistory = library::historyTable(title, store->history(id));
    FBests = library::bestsTable(title + " - " + base::languageText('V', 176), store->personalBests(id));
    fillList(FHistoryList, FHistory);
    fillList(FBestsList, FBests);
    // Every event and course with a personal best can be drawn; the first is shown.
    {
        const QSignalBlocker blocker(FProgressionEvent);
        FProgressionEvent->clear();
        for (const library::SwimRow& best : store->personalBests(id))
            FProgressionEvent->addItem(qt(best.event + " " + library::courseCode(best.course)),
                                       QStringList{qt(best.event), qt(library::courseCode(best.course))});
    }
    FProgressionPane->setVisible(FProgressionEvent->count() > 0);
    showProgression();
    if (FTabs->currentIndex() == BestListTab)
        FTabs->setCurrentIndex(HistoryTab);
}

LibraryPage::Progression LibraryPage::currentProgression() const
{
    const QStringList choice = FProgressionEvent->currentData().toStringList();
    if (FAthlete == 0 || choice.size() != 2 || !FLibrary)
        return {};
    library::HistoryFilter filter;
    filter.event = choice[0].toStdString();
    filter.course = library::courseOfCode(choice[1].toStdString());
    const std::optional<library::AthleteRow> athlete = FLibrary->athlete(FAthlete);
    const std::string title = (athlete ? athlete->nameText() + ", " : std::string()) +
                              FProgressionEvent->currentText().toStdString();
    return {title, std::make_shared<const chart::ProgressionData>(
                       chart::progressionFromHistory(FLibrary->history(FAthlete, filter), title))};
}

void LibraryPage::showProgression()
{
    const Progression shown = currentProgression();
    if (!shown.data) {
        FProgression->setDrawing({});
        return;
    }
    auto texts = std::make_shared<const chart::ChartTexts>(chart::ChartTexts::loaded());
    // The window names the athlete above the picture already.
    auto swims = std::make_shared<chart::ProgressionData>(*shown.data);
    swims->title.clear();
    FProgression->setDrawing([swims, texts](report::ReportCanvas& canvas, int width, int dpi) {
        return chart::drawProgressionChart(canvas, *swims, *texts, width, dpi);
    });
}

library::BestListFilter LibraryPage::bestListFilter() const
{
    library::BestListFilter filter;
    filter.club = FClub->text().trimmed().toStdString();
    filter.gender = FGender->currentIndex() > 0 ? FGender->currentIndex() : 0;
    filter.course = FCourse->currentData().toInt();
    filter.from = FFrom->text().trimmed().toStdString();
    filter.to = FTo->text().trimmed().toStdString();
    filter.birthYear = FBirthYear->value();
    return filter;
}

void LibraryPage::showBestList(const library::BestListFilter& filter)
{
    library::SeasonLibrary* store = library();
    if (!store)
        return;
    FClub->setText(qt(filter.club));
    FGender->setCurrentIndex(filter.gender);
    FCourse->setCurrentIndex(std::max(0, FCourse->findData(filter.course)));
    FFrom->setText(qt(filter.from));
    FTo->setText(qt(filter.to));
    FBirthYear->setValue(filter.birthYear);
    std::string title = base::languageText('V', 177);
    for (const std::string& part :
         {filter.club, filter.course != 0 ? library::courseCode(filter.course) : "",
          filter.gender != 0 ? FGender->currentText().toStdString() : "",
          filter.birthYear != 0 ? std::to_string(filter.birthYear) : "",
          filter.from.empty() && filter.to.empty() ? "" : filter.from + " - " + filter.to})
        if (!part.empty())
            title += ", " + part;
    FBestList = library::bestListTable(title, store->bestList(filter));
    fillList(FBestListView, FBestList);
    FTabs->setCurrentIndex(BestListTab);
}

browser::PersonalBestMarks LibraryPage::personalBests(lenex::TLenex& document)
{
    browser::PersonalBestMarks marks;
    library::SeasonLibrary* store = library();
    lenex::TLnxObject* competition = document.currentCompetition();
    if (!store || !competition)
        return marks;
    const auto meet = swim::lenexView<swim::IBSLenexMeet>(*competition);
    if (!meet)
        return marks;
    try {
        for (const void* node : store->personalBestNodes(library::readMeet(*meet)))
            marks.insert(static_cast<const lenex::TLnxObject*>(node));
    } catch (const library::LibraryError& error) {
        showMessage(qt(swim::formatText(base::languageText('V', 200), {FFile, error.what()})));
    }
    return marks;
}

void LibraryPage::showTab(Tab tab) { FTabs->setCurrentIndex(tab); }

library::LibraryTable LibraryPage::currentTable() const
{
    switch (FTabs->currentIndex()) {
    case BestsTab:
        return FBests;
    case BestListTab:
        return FBestList;
    default:
        return FHistory;
    }
}

library::LibraryList LibraryPage::currentList() const
{
    switch (FTabs->currentIndex()) {
    case BestsTab:
        return library::LibraryList::PersonalBests;
    case BestListTab:
        return library::LibraryList::BestList;
    default:
        return library::LibraryList::History;
    }
}

QString LibraryPage::copyText() const { return qt(library::tableText(currentTable())); }

void LibraryPage::addFilesClicked()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, FAddFiles->text().remove('&'));
    std::vector<std::string> paths;
    for (const QString& file : files)
        paths.push_back(file.toStdString());
    if (!paths.empty())
        addPaths(paths);
}

void LibraryPage::addFolderClicked()
{
    const QString folder = QFileDialog::getExistingDirectory(this, FAddFolder->text().remove('&'));
    if (!folder.isEmpty())
        addPaths({folder.toStdString()});
}

void LibraryPage::addPaths(const std::vector<std::string>& paths)
{
    if (FWorker || !library(true))
        return;
    FCancelled = false;
    FAdded = FUnchanged = FFailed = 0;
    FProgress->setRange(0, 0);
    FProgress->setVisible(true);
    FCancel->setVisible(true);
    FSearch->setVisible(false);
    FSearchLabel->setVisible(false);
    FAddFiles->setEnabled(false);
    FAddFolder->setEnabled(false);
    // The worker has a connection of its own; the page's stays for reading meanwhile.
    FWorker = QThread::create([this, paths, file = FFile] {
        try {
            library::SeasonLibrary store(file);
            store.add(paths, [this](int index, int count, const library::FileReport& report) {
                const QString line =
                    qt(swim::formatText(base::languageText('V', 198), {index, count, report.path}));
                const int outcome = static_cast<int>(report.outcome);
                QMetaObject::invokeMethod(this, [this, index, count, line, outcome] {
                    FProgress->setRange(0, count);
                    FProgress->setValue(index);
                    FProgress->setFormat(line);
                    FProgress->setToolTip(line);
                    const auto kind = static_cast<library::FileOutcome>(outcome);
                    FAdded += kind == library::FileOutcome::Added || kind == library::FileOutcome::Replaced ||
                              kind == library::FileOutcome::SameMeet;
                    FUnchanged += kind == library::FileOutcome::Unchanged;
                    FFailed += kind == library::FileOutcome::Failed;
                });
                return !FCancelled.load();
            });
        } catch (const library::LibraryError& error) {
            const QString message = qt(swim::formatText(base::languageText('V', 200), {file, error.what()}));
            QMetaObject::invokeMethod(this, [this, message] { showMessage(message); });
        }
    });
    connect(FWorker, &QThread::finished, this, &LibraryPage::addingFinished);
    FWorker->start();
}

void LibraryPage::addingFinished()
{
    FWorker->deleteLater();
    FWorker = nullptr;
    FProgress->setVisible(false);
    FCancel->setVisible(false);
    FSearch->setVisible(true);
    FSearchLabel->setVisible(true);
    FAddFiles->setEnabled(true);
    FAddFolder->setEnabled(true);
    showMessage(qt(swim::formatText(base::languageText('V', 199), {FAdded, FUnchanged, FFailed})));
    findAthletes(FSearch->text());
    if (FAthlete != 0)
        showAthlete(FAthlete);
    emit libraryChanged();
}

void LibraryPage::mergeClicked()
{
    library::SeasonLibrary* store = library();
    const QList<QTreeWidgetItem*> selected = FAthletes->selectedItems();
    if (!store || selected.size() < 2)
        return;
    const QTreeWidgetItem* current = FAthletes->currentItem() ? FAthletes->currentItem() : selected.front();
    const std::int64_t keep = current->data(0, Qt::UserRole).toLongLong();
    for (const QTreeWidgetItem* item : selected)
        store->mergeAthletes(keep, item->data(0, Qt::UserRole).toLongLong());
    findAthletes(FSearch->text());
    showAthlete(keep);
}

void LibraryPage::athleteMenu(const QPoint& position)
{
    library::SeasonLibrary* store = library();
    const QTreeWidgetItem* item = FAthletes->itemAt(position);
    if (!store || !item)
        return;
    const std::vector<library::AthleteKeyRow> keys =
        store->athleteKeys(item->data(0, Qt::UserRole).toLongLong());
    if (keys.size() < 2)
        return;
    QMenu menu(this);
    for (const library::AthleteKeyRow& key : keys) {
        std::string name = key.lastName + " " + key.firstName;
        if (key.birthYear > 0)
            name += ", " + std::to_string(key.birthYear);
        if (!key.license.empty())
            name += " (" + key.license + ")";
        QAction* action = menu.addAction(qt(swim::formatText(base::languageText('V', 197), {name})));
        connect(action, &QAction::triggered, this, [this, store, id = key.id] {
            const std::int64_t split = store->splitAthlete(id);
            findAthletes(FSearch->text());
            showAthlete(split);
        });
    }
    menu.exec(FAthletes->viewport()->mapToGlobal(position));
}

void LibraryPage::exportClicked()
{
    const library::LibraryTable table = currentTable();
    const QString fileName =
        dialogHooks().saveFileName(this, FExport->text().remove('&').remove(QStringLiteral("...")),
                                   TVnxPrintDlg::fileNameOf(qt(table.title)), text(209), 1);
    if (fileName.isEmpty())
        return;
    if (QFileInfo::exists(fileName) &&
        !dialogHooks().question(this,
                                qt(swim::formatText(base::languageText('G', 10), {fileName.toStdString()}))))
        return;
    if (!fileName.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) {
        if (!writeReport(fileName, !fileName.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive) &&
                                       !fileName.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive)))
            showMessage(qt(base::languageText('G', 41)));
        return;
    }
    const std::string content = library::tableCsv(table);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(content.data(), static_cast<qint64>(content.size())) < 0 || !file.commit())
        showMessage(file.errorString());
}

bool LibraryPage::writeReport(const QString& fileName, bool pdf)
{
    report::TVnxReport engine;
    engine.Settings = &FSettings;
    engine.Document().LoadSettings(FSettings);
    library::TLibraryReport content(engine, currentList(), currentTable());
    report::SilentStatus status;
    if (pdf) {
        engine.PdfFileName = fileName.toStdString();
        return engine.PrintToPdf(status);
    }
    engine.HtmlFileName = fileName.toStdString();
    return engine.PrintToHtml(status);
}

void LibraryPage::print()
{
    // With an athlete's progression shown, the picture is printed with its swims as a table below.
    if (FTabs->currentIndex() == HistoryTab && FProgressionPane->isVisible()) {
        const Progression shown = currentProgression();
        if (shown.data) {
            auto texts = std::make_shared<const chart::ChartTexts>(chart::ChartTexts::loaded());
            const auto swims = shown.data;
            TChartPrintDlg dialog(
                FSettings, nullptr, shown.title,
                [swims, texts](report::ReportCanvas& canvas, int width, int dpi) {
                    return chart::drawProgressionChart(canvas, *swims, *texts, width, dpi);
                },
                this);
            dialog.setWindowTitle(text(231));
            dialog.Chart().setTable(chart::kProgressionColumns,
                                    {texts->dateCaption, texts->meetCaption, texts->timeCaption, "", ""},
                                    chart::progressionTable(*swims, texts->personalBest));
            dialogHooks().exec(dialog);
            return;
        }
    }
    const library::LibraryTable table = currentTable();
    TFLibraryPrintDlg dialog(FSettings, currentList(), table, this);
    dialog.SuggestedName = TVnxPrintDlg::fileNameOf(qt(table.title));
    dialogHooks().exec(dialog);
}

} // namespace lanescope::ui
