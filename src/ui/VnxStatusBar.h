#pragma once

#include <QStatusBar>
#include <QTimer>

class QLabel;

namespace lanescope::ui {

/**
 * `TvnxStatusBar`: a message area on the left and three indicator panels (Num Lock, Caps Lock, caret
 * position). The message area shows the hint of the control under the mouse; information and error messages
 * replace it for 8 ticks of 500 ms or until the next key or mouse-button press, and a hint arriving during
 * their first 3 ticks does not push them out. Progress texts stay until cleared or replaced.
 */
class TvnxStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit TvnxStatusBar(QWidget* parent = nullptr);
    ~TvnxStatusBar() override;

    /** The current hint: shown after a blank, line breaks as " | "; a hint starting with "@" is not shown. */
    void setHint(const QString& hint);
    /** Blue bold text. */
    void informationMessage(const QString& text);
    /** White bold text on red, with the error beep. */
    void errorMessage(const QString& text);
    /** Plain text of a long operation, painted at once; an empty text clears it. */
    void progressText(const QString& text);

    /** The text in the message area. */
    QString messageText() const;
    QString numIndicator() const;
    QString capsIndicator() const;
    QString caretIndicator() const;

    /** One refresh step (the timer runs it every 500 ms). */
    void tick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Kind
    {
        Hint,
        Information,
        Error,
    };
    void showText(const QString& text, Kind kind);
    void applyColours();
    void endMessage();
    void refreshIndicators();

    QLabel* FMessage;
    QLabel* FNum;
    QLabel* FCaps;
    QLabel* FCaret;
    QTimer FTimer;
    QString FHint;
    Kind FKind = Kind::Hint;
    int FMessageTicks = -1; // ticks since an information or error message was shown; -1: none shown
};

} // namespace lanescope::ui
