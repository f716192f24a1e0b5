#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;

namespace lanescope::lenex {
class TLnxObject;
}

namespace lanescope::ui {

/**
 * The facts of one competition that the browser shows nowhere else: name, place, pool, timing, entry
 * deadline, points table and the organiser's contact address with a web address that opens in the
 * desktop's browser. Missing values leave their labels empty.
 */
class TVnxFCompetitionInfo : public QDialog
{
    Q_OBJECT

public:
    explicit TVnxFCompetitionInfo(QWidget* parent = nullptr);

    /**
     * Fills the labels from the COMPETITION (nullptr leaves them empty). Reading the deadline adds an
     * empty DEADLINE where none exists, as every date read of the tree does.
     */
    void fill(lenex::TLnxObject* competition, bool showPointTable);

private:
    void fillContact(const lenex::TLnxObject& contact);
    void lblInternetClick();

    QLabel* lblName;
    QLabel* lblPlace;
    QLabel* lblPool;
    QLabel* lblTiming;
    QLabel* lblDeadLine;
    QGroupBox* grpPointTable;
    QLabel* lblPktName;
    QLabel* lblVers;
    QLabel* lblPktVersion;
    QGroupBox* grpContact;
    QLabel* lblContactName;
    QLabel* lblStreet;
    QLabel* lblZipPlace;
    QLabel* lblPhone;
    QLabel* lblFax;
    QLabel* lblEmail;
    QLabel* lblInternet;
    QString FInternet;
};

/** Shows the dialog for the COMPETITION modally; the points-table group only when asked for. */
void ShowCompetitionInfo(QWidget* parent, lenex::TLnxObject* competition, bool showPointTable);

} // namespace lanescope::ui
