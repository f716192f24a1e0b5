#pragma once

#include "report/ReportCanvas.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace lanescope::ui {

/**
 * `TVnxStatusDlg`: the status of a running report. Shown modally, it runs its job from a one-shot timer and
 * closes when the job ends (also when it fails). The abort button asks G68; the job sees the abort at its
 * next poll of `aborted`, which first lets the window handle pending events.
 */
class TVnxStatusDlg : public QDialog, public report::ReportStatus
{
    Q_OBJECT

public:
    using Job = std::function<bool(report::ReportStatus& status)>;

    /** lines: 1 to 3 text lines. */
    TVnxStatusDlg(QWidget* parent, int lines, bool progressBar, bool abortButton);
    ~TVnxStatusDlg() override;

    /** Runs the job; true when it succeeded and was not aborted. A failure is shown as a message. */
    bool execute(Job job);

    void setLine(int index, const std::string& text) override;
    /** Kept and shown in one message when the job has ended. */
    void warning(const std::string& text) override;
    bool aborted() override;
    void setAborted() override { FAborted = true; }

    QPushButton* btnAbort = nullptr;
    QProgressBar* progressBar = nullptr;
    std::array<QLabel*, 3> lines{};

private:
    void abortClick();
    void runJob();

    QWidget* FActiveForm;
    Job FJob;
    bool FAborted = false;
    bool FSucceeded = false;
    QStringList FWarnings;
};

} // namespace lanescope::ui
