#include "ui/BrowserPage.h"

#include "ui/ChartView.h"
#include "ui/ElidedTexts.h"
#include "ui/ListSurface.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace lanescope::ui {

namespace {

constexpr int kTreeWidth = 300;
constexpr int kTreePanelMinimum = 252; // room for the button row
constexpr int kListPanelMinimum = 300;
constexpr int kTitleHeight = 25;
constexpr int kHeaderHeight = 18;
constexpr int kOptionPanelHeight = 35;

Qt::Alignment alignmentOf(browser::SectionAlignment alignment)
{
    switch (alignment) {
    case browser::SectionAlignment::Centre:
        return Qt::AlignCenter;
    case browser::SectionAlignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case browser::SectionAlignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

BrowserPage::BrowserPage(const QString& otherPageCaption, std::span<const browser::HeaderSection> sections,
                         QWidget* parent)
    : QWidget(parent)
    , FTree(new QTreeWidget)
    , FSwitch(new QPushButton(otherPageCaption))
    , FSplitter(new QSplitter(Qt::Horizontal))
    , FTitle(new ElidedLabel)
    , FHeaderModel(new QStandardItemModel(0, static_cast<int>(sections.size()), this))
    , FHeader(new QHeaderView(Qt::Horizontal))
    , FSurface(new ListSurface)
    , FOnlyValids(new QCheckBox(QStringLiteral("&nur gültige Resultate")))
    , FSplits(new QCheckBox(QStringLiteral("&Zwischenzeiten/Namen")))
    , FPicture(new QCheckBox(QStringLiteral("&Grafik")))
    , FChart(new ChartView)
    , FSections(sections.begin(), sections.end())
{
    FTree->setHeaderHidden(true);
    FTree->setColumnCount(1);
    // Long node texts (a heat and its final differ only at the end) keep their start and end in view, and
    // a narrow indentation leaves them more of the pane.
    showWholeTexts(FTree);
    FTree->setIndentation(12);
    // A tree that gets the focus without a current node makes its first node current and the page draws
    // it; the node is selected too, so the tree shows which node the page belongs to.
    connect(FTree, &QTreeWidget::currentItemChanged, this, [](QTreeWidgetItem* current) {
        if (current && !current->isSelected())
            current->setSelected(true);
    });
    auto* treePanel = new QWidget;
    treePanel->setMinimumWidth(kTreePanelMinimum);
    auto* treeLayout = new QVBoxLayout(treePanel);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(FTree, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FSwitch);
    buttons->addStretch(1);
    treeLayout->addLayout(buttons);

    QFont bold = FTitle->font();
    bold.setBold(true);
    FTitle->setFont(bold);
    // Heights grow with the desktop's font, so no caption is cut.
    FTitle->setFixedHeight(std::max(kTitleHeight, QFontMetrics(bold).height() + 8));
    FTitle->setContentsMargins(5, 0, 5, 0);
    FTitle->setFrameShape(QFrame::Panel);
    FTitle->setFrameShadow(QFrame::Raised);

    FHeader->setModel(FHeaderModel);
    FHeader->setFixedHeight(std::max(kHeaderHeight, FHeader->fontMetrics().height() + 4));
    FHeader->setSectionsClickable(false);
    FHeader->setSectionsMovable(false);
    FHeader->setMinimumSectionSize(0);
    FHeader->setStretchLastSection(false);
    FHeader->setSectionResizeMode(QHeaderView::Interactive);
    FHeader->hide();

    auto* options = new QWidget;
    options->setMinimumHeight(kOptionPanelHeight);
    auto* optionsLayout = new QHBoxLayout(options);
    optionsLayout->setContentsMargins(5, 0, 5, 0);
    optionsLayout->addWidget(FOnlyValids);
    optionsLayout->addWidget(FSplits);
    optionsLayout->addWidget(FPicture, 1);

    auto* listPanel = new QWidget;
    listPanel->setMinimumWidth(kListPanelMinimum);
    auto* listLayout = new QVBoxLayout(listPanel);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    listLayout->addWidget(FTitle);
    listLayout->addWidget(FHeader);
    listLayout->addWidget(FSurface, 1);
    listLayout->addWidget(FChart, 1);
    FChart->hide();
    listLayout->addWidget(options);

    FSplitter->addWidget(treePanel);
    FSplitter->addWidget(listPanel);
    FSplitter->setHandleWidth(3);
    FSplitter->setChildrenCollapsible(false);
    FSplitter->setStretchFactor(1, 1);
    setTreeWidth(kTreeWidth);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FSplitter);

    setSections(FSections);
    // The user's drag sets the tree's share of the page, which resizing the window then keeps.
    connect(FSplitter, &QSplitter::splitterMoved, this, [this] {
        const int total = FSplitter->sizes().value(0) + FSplitter->sizes().value(1);
        if (total > 0)
            FTreeShare = static_cast<double>(treeWidth()) / total;
    });
    connect(FHeader, &QHeaderView::sectionResized, this, &BrowserPage::sectionResized);
    connect(FSurface, &ListSurface::horizontalScrolled, this, &BrowserPage::alignHeader);
    connect(FOnlyValids, &QCheckBox::clicked, this, &BrowserPage::redrawRequested);
    connect(FSplits, &QCheckBox::clicked, this, &BrowserPage::redrawRequested);
    connect(FPicture, &QCheckBox::toggled, this, [this] {
        showListOrPicture();
        emit redrawRequested();
    });
}

void BrowserPage::setPictureOffered(bool offered)
{
    FPicture->setVisible(offered);
    if (!offered)
        FPicture->setChecked(false);
    showListOrPicture();
}

bool BrowserPage::pictureShown() const { return FPicture->isChecked() && !FPicture->isHidden(); }

// The picture takes the list's place, header included; the list keeps its state for when it comes back.
void BrowserPage::showListOrPicture()
{
    const bool picture = FPicture->isChecked() && !FPicture->isHidden();
    FChart->setVisible(picture);
    FSurface->setVisible(!picture);
    if (picture)
        FHeader->hide();
}

void BrowserPage::setSections(std::span<const browser::HeaderSection> sections)
{
    FSettingSections = true;
    for (std::size_t k = 0; k < sections.size() && k < FSections.size(); ++k) {
        const int minimum = FSections[k].minWidth;
        FSections[k] = sections[k];
        FSections[k].minWidth = minimum;
        const int section = static_cast<int>(k);
        FHeaderModel->setHeaderData(section, Qt::Horizontal, QString::fromStdString(sections[k].text));
        FHeaderModel->setHeaderData(section, Qt::Horizontal,
                                    QVariant::fromValue(alignmentOf(sections[k].alignment)),
                                    Qt::TextAlignmentRole);
        FHeader->resizeSection(section, toScreen(sections[k].width));
    }
    FSettingSections = false;
}

// The sections' widths are those of the list's layout; the header shows them at the list's drawing scale.
int BrowserPage::toScreen(int width) const { return width * FSurface->paintBox().scale() / 100; }

int BrowserPage::fromScreen(int width) const
{
    const int scale = std::max(1, FSurface->paintBox().scale());
    return (width * 100 + scale - 1) / scale;
}

void BrowserPage::sectionResized(int section, int /*oldSize*/, int newSize)
{
    if (FSettingSections || section < 0 || section >= static_cast<int>(FSections.size()))
        return;
    browser::HeaderSection& entry = FSections[static_cast<std::size_t>(section)];
    int width = fromScreen(newSize);
    if (width < entry.minWidth) {
        FSettingSections = true;
        FHeader->resizeSection(section, toScreen(entry.minWidth));
        FSettingSections = false;
        width = entry.minWidth;
    }
    entry.width = width;
    emit sectionDragged(section, width);
    emit redrawRequested();
}

// The header follows the drawing's horizontal position; the drawing starts inside the surface's frame.
void BrowserPage::alignHeader(int left) { FHeader->setOffset(-left - FSurface->frameWidth()); }

bool BrowserPage::headerShown() const { return !FHeader->isHidden(); }

void BrowserPage::setHeaderShown(bool shown)
{
    FHeader->setHidden(!shown || pictureShown());
    alignHeader(0);
}

void BrowserPage::setTitle(const std::string& text) { FTitle->setText(QString::fromStdString(text)); }

int BrowserPage::captionWidth(const std::string& caption) const
{
    const int margin = FHeader->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, FHeader);
    // Room for the sort arrow too: a click on any caption may sort by its section.
    const int arrow = FHeader->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, FHeader) + margin;
    return fromScreen(FHeader->fontMetrics().horizontalAdvance(QString::fromStdString(caption)) + 2 * margin +
                      arrow + 2);
}

void BrowserPage::keepCaptionRoom(std::span<browser::HeaderSection> sections) const
{
    for (browser::HeaderSection& section : sections)
        if (section.width > 0)
            section.width = std::max(section.width, captionWidth(section.text));
}

int BrowserPage::treeWidth() const { return FSplitter->sizes().value(0); }

void BrowserPage::setTreeWidth(int width)
{
    const int total = std::max(FSplitter->width(), width + kListPanelMinimum);
    FSplitter->setSizes({width, total - width});
}

void BrowserPage::setTreeShare(double share)
{
    FTreeShare = std::clamp(share, 0.05, 0.8);
    applyTreeShare();
}

void BrowserPage::applyTreeShare()
{
    const int total = FSplitter->width() - FSplitter->handleWidth();
    if (total <= 0)
        return;
    const int width = static_cast<int>(total * FTreeShare + 0.5);
    FSplitter->setSizes({width, total - width});
}

void BrowserPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The splitter has its new width already (the layout moves it first): the tree keeps its share.
    applyTreeShare();
}

} // namespace lanescope::ui
