#include "ui/CompetitionInfoDialog.h"

#include "base/FormatSettings.h"
#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "lenex/LnxElement.h"
#include "lenex/LnxSchema.h"
#include "swim/TextFormat.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace lanescope::ui {

namespace {

namespace tag = lenex::tag;

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* caption(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    // Named Label1, Label2 ... in creation order, so the form sections of the language files can name them.
    const int number = static_cast<int>(
        parent->window()->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Label\\d+$"))).size());
    label->setObjectName(QStringLiteral("Label%1").arg(number + 1));
    return label;
}

QLabel* value(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

TVnxFCompetitionInfo::TVnxFCompetitionInfo(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("VnxFCompetitionInfo"));
    setWindowTitle(QStringLiteral("Angaben zur Veranstaltung"));

    // Layouts size the dialog to its translated captions and to the values shown, so neither is cut.
    auto* facts = new QGridLayout;
    facts->addWidget(caption(this, QStringLiteral("Bezeichnung:")), 0, 0);
    lblName = value(this, "lblName");
    facts->addWidget(lblName, 0, 1, 1, 3);
    facts->addWidget(caption(this, QStringLiteral("Veranstaltungsort:")), 1, 0);
    lblPlace = value(this, "lblPlace");
    facts->addWidget(lblPlace, 1, 1, 1, 3);
    facts->addWidget(caption(this, QStringLiteral("Wettkampfbecken:")), 2, 0);
    lblPool = value(this, "lblPool");
    facts->addWidget(lblPool, 2, 1);
    facts->addWidget(caption(this, QStringLiteral("Zeitmessung:")), 2, 2);
    lblTiming = value(this, "lblTiming");
    facts->addWidget(lblTiming, 2, 3);
    // The deadline row has its own line above the points-table group, so the group never hides it.
    facts->addWidget(caption(this, QStringLiteral("Meldeschluss:")), 3, 0);
    lblDeadLine = value(this, "lblDeadLine");
    facts->addWidget(lblDeadLine, 3, 1, 1, 3);
    facts->setColumnStretch(1, 1);
    facts->setColumnStretch(3, 1);

    grpPointTable = new QGroupBox(QStringLiteral("Punktewertung"), this);
    grpPointTable->setObjectName(QStringLiteral("grpPointTable"));
    lblPktName = value(grpPointTable, "lblPktName");
    lblVers = new QLabel(QStringLiteral("Version:"), grpPointTable);
    lblVers->setObjectName(QStringLiteral("lblVers"));
    lblPktVersion = value(grpPointTable, "lblPktVersion");
    auto* pointTable = new QHBoxLayout(grpPointTable);
    pointTable->addWidget(lblPktName, 1);
    pointTable->addWidget(lblVers);
    pointTable->addWidget(lblPktVersion);

    // The e-mail and web addresses get rows of the group's whole width below the postal address.
    grpContact = new QGroupBox(QStringLiteral("Kontaktadresse Organisator"), this);
    grpContact->setObjectName(QStringLiteral("grpContact"));
    auto* contact = new QGridLayout(grpContact);
    lblContactName = value(grpContact, "lblContactName");
    lblStreet = value(grpContact, "lblStreet");
    lblZipPlace = value(grpContact, "lblZipPlace");
    contact->addWidget(lblContactName, 0, 0, 1, 4);
    contact->addWidget(lblStreet, 1, 0, 1, 4);
    contact->addWidget(lblZipPlace, 2, 0, 1, 4);
    contact->addWidget(caption(grpContact, QStringLiteral("Telefon:")), 3, 0);
    lblPhone = value(grpContact, "lblPhone");
    contact->addWidget(lblPhone, 3, 1);
    contact->addWidget(caption(grpContact, QStringLiteral("Telefax:")), 3, 2);
    lblFax = value(grpContact, "lblFax");
    contact->addWidget(lblFax, 3, 3);
    contact->addWidget(caption(grpContact, QStringLiteral("Email - Adresse:")), 4, 0, 1, 4);
    lblEmail = value(grpContact, "lblEmail");
    lblEmail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    contact->addWidget(lblEmail, 5, 0, 1, 4);
    contact->addWidget(caption(grpContact, QStringLiteral("Internetseite:")), 6, 0, 1, 4);
    lblInternet = value(grpContact, "lblInternet");
    lblInternet->setTextFormat(Qt::RichText);
    lblInternet->setOpenExternalLinks(false);
    contact->addWidget(lblInternet, 7, 0, 1, 4);
    contact->setColumnStretch(1, 1);
    contact->setColumnStretch(3, 1);
    connect(lblInternet, &QLabel::linkActivated, this, [this] { lblInternetClick(); });

    auto* close = new QPushButton(QStringLiteral("Schliessen"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(facts);
    layout->addWidget(grpPointTable);
    layout->addWidget(grpContact);
    layout->addStretch(1);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(400);
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
    lblInternet->setText(FInternet.isEmpty()
                             ? QString()
                             : QStringLiteral("<a href=\"#\" style=\"color:%1\">%2</a>")
                                   .arg(palette().color(QPalette::Link).name(), FInternet.toHtmlEscaped()));
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
