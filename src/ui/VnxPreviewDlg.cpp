#include "ui/VnxPreviewDlg.h"

#include "app/FormGeometry.h"
#include "base/LanguageTexts.h"
#include "base/VnxIniFiles.h"
#include "report/MulDiv.h"
#include "swim/TextFormat.h"
#include "ui/FormPlacement.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace lanescope::ui {

namespace {

constexpr const char* kPrinter = "Printer";
constexpr const char* kWindows = "Windows";
constexpr const char* kFormName = "vnxPreviewDlg";

QString text(int number) { return QString::fromStdString(base::languageText('V', number)); }

} // namespace

TvnxPreviewDlg::TvnxPreviewDlg(std::vector<QImage> pages, base::CustomIniFile& settings, QWidget* parent)
    : QDialog(parent)
    , FPages(std::move(pages))
    , FSettings(settings)
{
    setObjectName(QString::fromLatin1(kFormName));
    setSizeGripEnabled(true);
    if (!FPages.empty())
        FNatural = FPages.front().size();

    // Buttons take the room their translated captions need; the tool row sets the dialog's smallest width.
    auto button = [this](const char* name, const QString& caption, const QString& hint, auto handler) {
        auto* result = new QPushButton(caption, this);
        result->setObjectName(QString::fromLatin1(name));
        result->setToolTip(hint);
        result->setFocusPolicy(Qt::NoFocus);
        result->setAutoDefault(false);
        result->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        result->setFixedWidth(std::max(result->fontMetrics().horizontalAdvance(caption) + 16, 40));
        connect(result, &QPushButton::clicked, this, handler);
        return result;
    };
    btnFirst = button("btnFirst", QStringLiteral("|<"), text(98), [this] { ShowPage(0); });
    btnPrior = button("btnPrior", QStringLiteral("<"), text(99), [this] { ShowPage(FCurrent - 1); });
    btnNext = button("btnNext", QStringLiteral(">"), text(100), [this] { ShowPage(FCurrent + 1); });
    btnLast = button("btnLast", QStringLiteral(">|"), text(101),
                     [this] { ShowPage(static_cast<int>(FPages.size()) - 1); });
    btnZoomIn = button("btnZoomIn", QStringLiteral("+"), text(102), &TvnxPreviewDlg::ZoomIn);
    btnZoomOut = button("btnZoomOut", QStringLiteral("-"), text(103), &TvnxPreviewDlg::ZoomOut);
    btn100 = button("btn100", QStringLiteral("100%"), text(104), &TvnxPreviewDlg::Zoom100);
    btnPageWidth = button("btnPageWidth", text(105), text(106), &TvnxPreviewDlg::ZoomPageWidth);
    btnWholePage = button("btnWholePage", text(107), text(108), &TvnxPreviewDlg::ZoomWholePage);
    btnPrint = button("btnPrint", text(94), QString(), &QDialog::accept);
    btnCancel = button("btnCancel", text(96), QString(), &QDialog::reject);
    setCaption(QString());
    lblPage = new QLabel(this);
    lblZoom = new QLabel(this);
    lblPage->setMinimumWidth(lblPage->fontMetrics().horizontalAdvance(
        QString::fromStdString(swim::formatText(base::languageText('G', 61), {888, 888}))));
    lblPage->setAlignment(Qt::AlignCenter);
    lblZoom->setMinimumWidth(lblZoom->fontMetrics().horizontalAdvance(QStringLiteral("8888%")));

    imgPage = new QLabel;
    imgPage->setScaledContents(true);
    scrollBox = new QScrollArea(this);
    scrollBox->setFocusPolicy(Qt::NoFocus);
    scrollBox->setAlignment(Qt::AlignCenter);
    scrollBox->setBackgroundRole(QPalette::Dark);
    scrollBox->setWidget(imgPage);

    auto* tools = new QHBoxLayout;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{btnFirst, btnPrior, lblPage, btnNext, btnLast, btnZoomIn, btnZoomOut,
                                         lblZoom, btn100, btnPageWidth, btnWholePage})
        tools->addWidget(widget);
    tools->addStretch();
    tools->addWidget(btnPrint);
    tools->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(scrollBox, 1);
    // The tool row with its translated captions sets the smallest width, never less than 400 pixels.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    scrollBox->setMinimumWidth(400 - 8);
    resize(700, 600);
    ShowPage(0);
}

void TvnxPreviewDlg::setCaption(const QString& report)
{
    setWindowTitle(
        QString::fromStdString(swim::formatText(base::languageText('V', 97), {report.toStdString()})));
}

void TvnxPreviewDlg::applySavedView()
{
    const std::string saved = FSettings.ReadString(kWindows, kFormName, "");
    if (saved.empty()) {
        ZoomWholePage();
        return;
    }
    const app::FormGeometry placed = openingGeometry(saved, *this, true);
    setGeometry(placed.bounds.left, placed.bounds.top, placed.bounds.width, placed.bounds.height);
    ZoomSaved();
}

void TvnxPreviewDlg::ShowPage(int index)
{
    const int count = static_cast<int>(FPages.size());
    if (index < 0 || index >= count || index == FCurrent)
        return;
    FCurrent = index;
    lblPage->setText(
        QString::fromStdString(swim::formatText(base::languageText('G', 61), {index + 1, count})));
    if (!FZoom.isValid())
        FZoom = FNatural;
    showPicture();
    updateButtons();
}

void TvnxPreviewDlg::showPicture()
{
    if (FCurrent < 0)
        return;
    imgPage->setPixmap(QPixmap::fromImage(FPages[static_cast<std::size_t>(FCurrent)]));
    imgPage->resize(FZoom);
}

void TvnxPreviewDlg::SetZoom(QSize size)
{
    FZoom = size;
    showPicture();
    lblZoom->setText(size.width() < 1 || FNatural.width() < 1
                         ? QString()
                         : QString::number(size.width() * 100 / FNatural.width()) + QLatin1Char('%'));
    updateButtons();
}

void TvnxPreviewDlg::updateButtons()
{
    btnZoomIn->setEnabled(FZoom.width() <= 23000 && FZoom.height() <= 23000);
    btnZoomOut->setEnabled(FZoom.width() > scrollBox->width() - 20 ||
                           FZoom.height() > scrollBox->height() - 20);
    const int last = static_cast<int>(FPages.size()) - 1;
    btnFirst->setEnabled(FCurrent > 0);
    btnPrior->setEnabled(FCurrent > 0);
    btnNext->setEnabled(FCurrent < last);
    btnLast->setEnabled(FCurrent < last);
}

void TvnxPreviewDlg::ZoomIn()
{
    SetZoom({report::mulDiv(FZoom.width(), 141421, 100000), report::mulDiv(FZoom.height(), 141421, 100000)});
}

void TvnxPreviewDlg::ZoomOut()
{
    SetZoom({report::mulDiv(FZoom.width(), 100000, 141421), report::mulDiv(FZoom.height(), 100000, 141421)});
}

void TvnxPreviewDlg::Zoom100() { SetZoom(FNatural); }

void TvnxPreviewDlg::ZoomPageWidth()
{
    if (FNatural.width() < 1)
        return;
    int width = scrollBox->width() - 20;
    // A vertical scroll bar will appear and take its room.
    if (report::mulDiv(FNatural.height(), width, FNatural.width()) > scrollBox->height() - 20)
        width = scrollBox->width() - 36;
    SetZoom({width, report::mulDiv(FNatural.height(), width, FNatural.width())});
}

void TvnxPreviewDlg::ZoomWholePage()
{
    if (FNatural.height() < 1)
        return;
    setWindowState(Qt::WindowNoState);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int windowHeight = area.height() == 480 ? 440 : area.height() * 4 / 5;
    const int pictureHeight = windowHeight - 77;
    const int pictureWidth = report::mulDiv(FNatural.width(), pictureHeight, FNatural.height());
    const int windowWidth = pictureWidth >= 370 ? pictureWidth + 30 : 400;
    setGeometry(area.x() + (area.width() - windowWidth) / 2, area.y() + (area.height() - windowHeight) / 2,
                windowWidth, windowHeight);
    SetZoom({pictureWidth, pictureHeight});
}

void TvnxPreviewDlg::ZoomSaved()
{
    int percent = FSettings.ReadInteger(kPrinter, "PreviewProzent", 100);
    if (percent <= 0)
        percent = 100;
    SetZoom(
        {report::mulDiv(FNatural.width(), percent, 100), report::mulDiv(FNatural.height(), percent, 100)});
}

void TvnxPreviewDlg::scrollBy(int dx, int dy)
{
    QScrollBar* horizontal = scrollBox->horizontalScrollBar();
    QScrollBar* vertical = scrollBox->verticalScrollBar();
    horizontal->setValue(horizontal->value() + dx * horizontal->singleStep());
    vertical->setValue(vertical->value() + dy * vertical->singleStep());
}

void TvnxPreviewDlg::keyPressEvent(QKeyEvent* event)
{
    const bool keypad = (event->modifiers() & Qt::KeypadModifier) != 0;
    QScrollBar* horizontal = scrollBox->horizontalScrollBar();
    QScrollBar* vertical = scrollBox->verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Escape:
        reject();
        break;
    case Qt::Key_PageUp:
        ShowPage(FCurrent - 1);
        break;
    case Qt::Key_PageDown:
        ShowPage(FCurrent + 1);
        break;
    case Qt::Key_End:
        horizontal->setValue(horizontal->maximum());
        vertical->setValue(vertical->maximum());
        break;
    case Qt::Key_Home:
        horizontal->setValue(horizontal->minimum());
        vertical->setValue(vertical->minimum());
        break;
    case Qt::Key_Left:
        scrollBy(-1, 0);
        break;
    case Qt::Key_Right:
        scrollBy(1, 0);
        break;
    case Qt::Key_Up:
        scrollBy(0, -1);
        break;
    case Qt::Key_Down:
        scrollBy(0, 1);
        break;
    case Qt::Key_Asterisk:
    case Qt::Key_Plus:
    case Qt::Key_Minus:
    case Qt::Key_Slash:
        if (!keypad) {
            QDialog::keyPressEvent(event);
            return;
        }
        if (event->key() == Qt::Key_Asterisk)
            ZoomWholePage();
        else if (event->key() == Qt::Key_Plus && btnZoomIn->isEnabled())
            ZoomIn();
        else if (event->key() == Qt::Key_Minus && btnZoomOut->isEnabled())
            ZoomOut();
        else if (event->key() == Qt::Key_Slash)
            Zoom100();
        break;
    default:
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TvnxPreviewDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    updateButtons();
}

void TvnxPreviewDlg::done(int result)
{
    if (FZoom.width() > 0 && FNatural.width() > 0)
        FSettings.WriteInteger(kPrinter, "PreviewProzent", FZoom.width() * 100 / FNatural.width());
    const QRect bounds = normalGeometry().isValid() ? normalGeometry() : geometry();
    FSettings.WriteString(
        kWindows, kFormName,
        app::formatGeometry({{bounds.x(), bounds.y(), bounds.width(), bounds.height()},
                             isMaximized() ? app::WindowState::Maximized : app::WindowState::Normal}));
    QDialog::done(result);
}

} // namespace lanescope::ui
