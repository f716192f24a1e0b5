#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;

namespace lanescope::ui {

/**
 * `TvnxOpenUrlDlg`: asks for the address of a result file. The address field is an editable list of the
 * links opened last and is wide enough for a whole link; OK is enabled while it holds text.
 */
class TvnxOpenUrlDlg : public QDialog
{
    Q_OBJECT

public:
    TvnxOpenUrlDlg(const QString& title, const QStringList& recentUrls, QWidget* parent = nullptr);

    /** The address typed or chosen, without surrounding blanks. */
    QString url() const;

    QLabel* lblUrl;
    QComboBox* cbxUrl;
};

} // namespace lanescope::ui
