#include "ui/CompetitionInfoDialog.h"

#include "base/FormatSettings.h"
#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "lenex/LnxElement.h"
#include "lenex/LnxSchema.h"
#include "swim/TextFormat.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <initializer_list>

namespace lanescope::ui {

namespace {

namespace tag = lenex::tag;

constexpr int kDialogWidth = 400;
constexpr int kAddressWidth = 364; // the width of the contact group's rows

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* caption(QWidget* parent, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    // Named Label1, Label2 ... in creation order, so the form sections of the language files can name them.
    const int number = static_cast<int>(
        parent->window()->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Label\\d+$"))).size());
    label->setObjectName(QStringLiteral("Label%1").arg(number + 1));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* value(QWidget* parent, const char* name, int x, int y, int width)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setGeometry(x, y, width, label->fontMetrics().height() + 1);
    return label;
}

} // namespace

TVnxFCompetitionInfo::TVnxFCompetitionInfo(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("VnxFCompetitionInfo"));
    setWindowTitle(QStringLiteral("Angaben zur Veranstaltung"));
    setFixedSize(kDialogWidth, 348);
    // The layout is in fixed pixels; a small dialog font keeps the captions clear of the values.
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    setFont(small);

    caption(this, QStringLiteral("Bezeichnung:"), 10, 10);
    lblName = value(this, "lblName", 105, 10, 280);
    caption(this, QStringLiteral("Veranstaltungsort:"), 10, 30);
    lblPlace = value(this, "lblPlace", 105, 30, 280);
    caption(this, QStringLiteral("Wettkampfbecken:"), 10, 50);
    lblPool = value(this, "lblPool", 105, 50, 80);
    caption(this, QStringLiteral("Zeitmessung:"), 200, 50);
    lblTiming = value(this, "lblTiming", 290, 50, 100);
    // The deadline row and the two groups below it are stacked without overlap, so the points-table group
    // never hides the deadline.
    caption(this, QStringLiteral("Meldeschluss:"), 10, 70);
    lblDeadLine = value(this, "lblDeadLine", 105, 70, 260);

    grpPointTable = new QGroupBox(QStringLiteral("Punktewertung"), this);
    grpPointTable->setObjectName(QStringLiteral("grpPointTable"));
    grpPointTable->setGeometry(10, 90, 380, 35);
    lblPktName = value(grpPointTable, "lblPktName", 8, 15, 248);
    lblVers = caption(grpPointTable, QStringLiteral("Version:"), 262, 15);
    lblVers->setObjectName(QStringLiteral("lblVers"));
    lblPktVersion = value(grpPointTable, "lblPktVersion", 310, 15, 65);

    // The e-mail and web addresses get rows of the group's whole width below the postal address, and
    // the dialog widens for an address longer than that, so both are always shown whole.
    grpContact = new QGroupBox(QStringLiteral("Kontaktadresse Organisator"), this);
    grpContact->setObjectName(QStringLiteral("grpContact"));
    grpContact->setGeometry(10, 132, 380, 176);
    lblContactName = value(grpContact, "lblContactName", 8, 20, 364);
    lblStreet = value(grpContact, "lblStreet", 8, 35, 364);
    lblZipPlace = value(grpContact, "lblZipPlace", 8, 50, 364);
    caption(grpContact, QStringLiteral("Telefon:"), 8, 65);
    lblPhone = value(grpContact, "lblPhone", 65, 65, 118);
    caption(grpContact, QStringLiteral("Telefax:"), 190, 65);
    lblFax = value(grpContact, "lblFax", 247, 65, 125);
    caption(grpContact, QStringLiteral("Email - Adresse:"), 8, 85);
    lblEmail = value(grpContact, "lblEmail", 8, 100, 364);
    lblEmail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    caption(grpContact, QStringLiteral("Internetseite:"), 8, 125);
    lblInternet = value(grpContact, "lblInternet", 8, 140, 364);
    lblInternet->setTextFormat(Qt::RichText);
    lblInternet->setOpenExternalLinks(false);
    connect(lblInternet, &QLabel::linkActivated, this, [this] { lblInternetClick(); });

    auto* close = new QPushButton(QStringLiteral("Schliessen"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setGeometry(155, 316, 90, 25);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TVnxFCompetitionInfo::fill(lenex::TLnxObject* competition, bool showPointTable)
{
    grpPointTable->setVisible(showPointTable);
    if (!competition) {
        grpPointTable->setEnabled(false);
        return;
    }
    lblName->setText(qs(competition->getText(tag::NAME)));
    lblPlace->setText(qs(competition->getText(tag::PLACE)));
    lblPool->setText(qs(swim::formatText(base::languageText('S', 46),
                                         {competition->getInteger(tag::PL), competition->getText(tag::PM)})));
    lblTiming->setText(qs(base::languageText('S', 47, competition->getText(tag::TI) == "A" ? 1 : 2)));

    // A deadline that is no valid date is left out rather than shown as the calendar's day zero.
    const base::TDateTime deadline = competition->getDate(tag::DEADLINE);
    lblDeadLine->setText(
        competition->getText(tag::DEADLINE).empty() || deadline == 0
            ? QString()
            : qs(base::formatDateTime(base::currentFormatSettings().longDateFormat, deadline)));

    // Without a points table the group stays, greyed, so the dialog keeps its shape.
    const lenex::TLnxObject* pointTable = competition->findObject(tag::POINTTABLE);
    grpPointTable->setEnabled(pointTable != nullptr);
    lblPktName->setText(pointTable ? qs(pointTable->getText(tag::NAME)) : QString());
    lblPktVersion->setText(pointTable ? qs(pointTable->getText(tag::VERSION)) : QString());

    if (const lenex::TLnxObject* contact = competition->findObject(tag::CONTACT))
        fillContact(*contact);
}

void TVnxFCompetitionInfo::fillContact(const lenex::TLnxObject& contact)
{
    lblContactName->setText(qs(base::trim(contact.getText(tag::FNAME) + " " + contact.getText(tag::NAME))));
    lblStreet->setText(qs(contact.getText(tag::STREET)));
    lblZipPlace->setText(qs(base::trim(contact.getText(tag::ZIP) + " " + contact.getText(tag::PLACE))));
    lblPhone->setText(qs(contact.getText(tag::PHONE)));
    lblFax->setText(qs(contact.getText(tag::FAX)));
    lblEmail->setText(qs(contact.getText(tag::EMAIL)));
    FInternet = qs(contact.getText(tag::INTERNET));
    lblInternet->setToolTip(FInternet);
    lblInternet->setText(
        FInternet.isEmpty()
            ? QString()
            : QStringLiteral("<a href=\"#\" style=\"color:#0000ff\">%1</a>").arg(FInternet.toHtmlEscaped()));
    fitAddresses();
}

void TVnxFCompetitionInfo::fitAddresses()
{
    const int addressWidth = std::max(lblEmail->fontMetrics().horizontalAdvance(lblEmail->text()),
                                      lblInternet->fontMetrics().horizontalAdvance(FInternet)) +
                             4;
    const int extra = std::max(0, addressWidth - kAddressWidth);
    setFixedWidth(kDialogWidth + extra);
    for (QWidget* widget : std::initializer_list<QWidget*>{grpContact, grpPointTable})
        widget->resize(380 + extra, widget->height());
    for (QLabel* label : {lblEmail, lblInternet, lblContactName, lblStreet, lblZipPlace})
        label->resize(kAddressWidth + extra, label->height());
    if (auto* close = findChild<QPushButton*>(QStringLiteral("btnClose")))
        close->move((width() - close->width()) / 2, close->y());
}

void TVnxFCompetitionInfo::lblInternetClick()
{
    if (!FInternet.isEmpty())
        QDesktopServices::openUrl(QUrl::fromUserInput(FInternet));
}

void ShowCompetitionInfo(QWidget* parent, lenex::TLnxObject* competition, bool showPointTable)
{
    TVnxFCompetitionInfo dialog(parent);
    dialog.fill(competition, showPointTable);
    dialog.exec();
}

} // namespace lanescope::ui
