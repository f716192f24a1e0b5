#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace lanescope::ui {

/**
 * The start screen, which is also the about box: logo, application name, build, the beta mark and a
 * progress line. As a start screen it has no OK button, stays on top and refuses to close; the timer of
 * ShowStartScreen frees it. As the about box it shows "OK", and OK or Esc close it.
 */
class TVnxFVornixScreen : public QDialog
{
    Q_OBJECT

public:
    TVnxFVornixScreen(bool aboutBox, bool beta, QWidget* parent = nullptr);

    void setProgressText(const QString& text);
    QString progressText() const;
    bool isAboutBox() const { return FAboutBox; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool FAboutBox;
    QLabel* FProgress;
};

/** Whether the start screen and the about box show the beta mark (settings "Special"/"Beta"). */
void setBetaFeatures(bool beta);

/**
 * Shows the start screen on top of all windows. It stays at least the given seconds and disappears at
 * most 50 ms after MainWindowUp has been called (and not before). Progress texts go to it meanwhile.
 */
void ShowStartScreen(int seconds);
/** Tells the start screen that the main window has been shown. */
void MainWindowUp();
/** True while the start screen of ShowStartScreen is shown. */
bool startScreenShown();
/** Shows the about box modally. */
void ShowAbout(QWidget* parent);
/**
 * Writes a progress text to the start screen's progress line while it is shown, and hands it to the sink
 * (the main window's status bar) once one is set. An empty text clears the line.
 */
void Progress(const std::string& text);
void setProgressSink(std::function<void(const std::string&)> sink);

} // namespace lanescope::ui
