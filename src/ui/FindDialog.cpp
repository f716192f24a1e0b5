#include "ui/FindDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lanescope::ui {

FindDialog::FindDialog(QWidget* parent)
    : QDialog(parent)
    , FEdit(new QLineEdit(this))
    , FUp(new QRadioButton(QStringLiteral("Nach &oben"), this))
    , FDown(new QRadioButton(QStringLiteral("Nach &unten"), this))
    , FFindNext(new QPushButton(QStringLiteral("&Weitersuchen"), this))
    , FNotFound(new QLabel(this))
{
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("Suchen"));
    setModal(false);
    FEdit->setObjectName(QStringLiteral("edtFind"));
    FUp->setObjectName(QStringLiteral("rbUp"));
    FDown->setObjectName(QStringLiteral("rbDown"));
    FFindNext->setObjectName(QStringLiteral("btnFindNext"));
    FDown->setChecked(true);

    auto* label = new QLabel(QStringLiteral("Suchen &nach:"), this);
    label->setObjectName(QStringLiteral("lblFind"));
    label->setBuddy(FEdit);
    auto* direction = new QGroupBox(QStringLiteral("Richtung"), this);
    direction->setObjectName(QStringLiteral("grpDirection"));
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(FUp);
    directionLayout->addWidget(FDown);

    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    FFindNext->setDefault(true);
    FFindNext->setEnabled(false);

    auto* left = new QVBoxLayout;
    auto* textRow = new QHBoxLayout;
    textRow->addWidget(label);
    textRow->addWidget(FEdit, 1);
    left->addLayout(textRow);
    left->addWidget(direction);
    // A search that finds nothing says so here instead of in a box over the dialog.
    FNotFound->setObjectName(QStringLiteral("lblNotFound"));
    FNotFound->setWordWrap(true);
    left->addWidget(FNotFound);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(FFindNext);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* main = new QHBoxLayout(this);
    main->addLayout(left, 1);
    main->addLayout(buttons);

    connect(FEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        FFindNext->setEnabled(!text.isEmpty());
        FNotFound->clear();
    });
    connect(FFindNext, &QPushButton::clicked, this, [this] {
        FNotFound->clear();
        if (!FEdit->text().isEmpty())
            emit findNext();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString FindDialog::findText() const { return FEdit->text(); }

bool FindDialog::searchDown() const { return FDown->isChecked(); }

void FindDialog::setFindText(const QString& text) { FEdit->setText(text); }

void FindDialog::setSearchDown(bool down) { (down ? FDown : FUp)->setChecked(true); }

void FindDialog::showNotFound(const QString& message) { FNotFound->setText(message); }

QString FindDialog::notFoundText() const { return FNotFound->text(); }

void FindDialog::done(int result)
{
    QDialog::done(result);
    emit closed();
}

} // namespace lanescope::ui
