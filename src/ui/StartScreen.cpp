#include "ui/StartScreen.h"

#include "base/ProductVersion.h"
#include "ui/ImageList.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace lanescope::ui {

namespace {

constexpr int kWidth = 383;
constexpr int kHeight = 243;
constexpr int kTickMs = 50;

/** The start screen's state for the program's lifetime; the form itself is freed when it closes. */
struct TVnxSystemX
{
    bool beta = false;
    bool mainWindowUp = false;
    QPointer<TVnxFVornixScreen> screen;
    std::function<void(const std::string&)> progressSink;
};

TVnxSystemX& systemX()
{
    static TVnxSystemX system;
    return system;
}

QString applicationNameLine()
{
    return QString::fromUtf8(base::productName) + QLatin1Char(' ') +
           QString::fromUtf8(base::versionText).left(4);
}

} // namespace

TVnxFVornixScreen::TVnxFVornixScreen(bool aboutBox, bool beta, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog |
                          (aboutBox ? Qt::WindowFlags() : Qt::WindowStaysOnTopHint))
    , FAboutBox(aboutBox)
    , FProgress(new QLabel(this))
{
    setObjectName(QStringLiteral("VnxFVornixScreen"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setGeometry(16, 16, 96, 96);
    logo->setPixmap(logoImage(QSize(96, 96)));

    auto* name = new QLabel(applicationNameLine(), this);
    name->setObjectName(QStringLiteral("lblAppName"));
    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setPixelSize(28);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setGeometry(124, 36, kWidth - 140, 36);

    auto* build = new QLabel(QString::fromUtf8(base::buildText), this);
    build->setObjectName(QStringLiteral("lblBuild"));
    build->setGeometry(126, 78, kWidth - 140, 20);

    auto* betaMark = new QLabel(QStringLiteral("ß"), this);
    betaMark->setObjectName(QStringLiteral("lblBeta"));
    QFont betaFont = betaMark->font();
    betaFont.setBold(true);
    betaFont.setPixelSize(20);
    betaMark->setFont(betaFont);
    QPalette red = betaMark->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    betaMark->setPalette(red);
    betaMark->setToolTip(QStringLiteral("Programmversion mit Beta-Features"));
    betaMark->setGeometry(kWidth - 26, 4, 22, 24);
    betaMark->setVisible(beta);

    FProgress->setObjectName(QStringLiteral("lblProgress"));
    FProgress->setAlignment(Qt::AlignCenter);
    FProgress->setGeometry(0, 160, kWidth, 20);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setGeometry((kWidth - 80) / 2, kHeight - 40, 80, 25);
    ok->setDefault(aboutBox);
    ok->setVisible(aboutBox);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TVnxFVornixScreen::setProgressText(const QString& text)
{
    FProgress->setText(text);
    FProgress->repaint();
}

QString TVnxFVornixScreen::progressText() const { return FProgress->text(); }

void TVnxFVornixScreen::reject()
{
    if (FAboutBox)
        QDialog::reject();
}

void TVnxFVornixScreen::closeEvent(QCloseEvent* event)
{
    if (FAboutBox)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void setBetaFeatures(bool beta) { systemX().beta = beta; }

void ShowStartScreen(int seconds)
{
    TVnxSystemX& system = systemX();
    delete system.screen.data();
    system.mainWindowUp = false;
    auto* screen = new TVnxFVornixScreen(false, system.beta);
    screen->setAttribute(Qt::WA_DeleteOnClose, false);
    system.screen = screen;
    screen->show();
    screen->raise();
    screen->repaint();

    // The timer belongs to the form: the first tick comes after the minimum time, then one every 50 ms
    // until the main window is up.
    auto* timer = new QTimer(screen);
    timer->setTimerType(Qt::PreciseTimer); // a coarse timer may fire up to 5 % early
    timer->setInterval(std::max(seconds, 0) * 1000);
    QObject::connect(timer, &QTimer::timeout, screen, [timer, screen] {
        timer->setInterval(kTickMs);
        if (!systemX().mainWindowUp)
            return;
        timer->stop();
        screen->hide();
        systemX().screen = nullptr;
        screen->deleteLater();
    });
    timer->start();
}

void MainWindowUp() { systemX().mainWindowUp = true; }

bool startScreenShown()
{
    const TVnxSystemX& system = systemX();
    return system.screen && system.screen->isVisible();
}

void ShowAbout(QWidget* parent)
{
    TVnxFVornixScreen about(true, systemX().beta, parent);
    about.exec();
}

void Progress(const std::string& text)
{
    TVnxSystemX& system = systemX();
    if (system.screen)
        system.screen->setProgressText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (system.progressSink)
        system.progressSink(text);
}

void setProgressSink(std::function<void(const std::string&)> sink)
{
    systemX().progressSink = std::move(sink);
}

} // namespace lanescope::ui
