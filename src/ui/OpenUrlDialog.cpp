#include "ui/OpenUrlDialog.h"

#include "base/LanguageTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lanescope::ui {

namespace {

// Room for a typical result link without scrolling in the field.
constexpr int kShownCharacters = 70;

} // namespace

TvnxOpenUrlDlg::TvnxOpenUrlDlg(const QString& title, const QStringList& recentUrls, QWidget* parent)
    : QDialog(parent)
    , lblUrl(new QLabel(QString::fromStdString(base::languageText('V', 49)), this))
    , cbxUrl(new QComboBox(this))
{
    setObjectName(QStringLiteral("vnxOpenUrlDlg"));
    setWindowTitle(title);
    lblUrl->setObjectName(QStringLiteral("lblUrl"));
    cbxUrl->setObjectName(QStringLiteral("cbxUrl"));
    cbxUrl->setEditable(true);
    cbxUrl->setInsertPolicy(QComboBox::NoInsert);
    cbxUrl->addItems(recentUrls);
    cbxUrl->setMinimumWidth(cbxUrl->fontMetrics().averageCharWidth() * kShownCharacters);
    cbxUrl->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbxUrl->lineEdit()->setPlaceholderText(QStringLiteral("https://"));
    cbxUrl->lineEdit()->selectAll();
    lblUrl->setBuddy(cbxUrl);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(!url().isEmpty());
    connect(cbxUrl, &QComboBox::editTextChanged, this, [this, ok] { ok->setEnabled(!url().isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblUrl);
    layout->addWidget(cbxUrl);
    layout->addStretch(1);
    layout->addWidget(buttons);
    // Wider is fine, taller is not: the dialog holds one field.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    setMaximumHeight(sizeHint().height());
}

QString TvnxOpenUrlDlg::url() const { return cbxUrl->currentText().trimmed(); }

} // namespace lanescope::ui
