#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace lanescope::report {
class TVnxDocument;
}

namespace lanescope::ui {

/**
 * `TvnxPrintSetupDlg`: the page setup of one report document on four tabs. Every field change goes into
 * the document at once; the caller saves the document on OK and reloads it on Cancel. The document's
 * options decide which fields may be changed.
 */
class TvnxPrintSetupDlg : public QDialog
{
    Q_OBJECT

public:
    /** allowHtml enables the HTML template and table width. */
    TvnxPrintSetupDlg(report::TVnxDocument& document, bool allowHtml, QWidget* parent = nullptr);

    /** Fills the fields from the document. */
    void LoadDocument();
    /** Writes the fields into the document (entries without a file are dropped). */
    void SaveToDocument();
    /** Applies standard setup 0 or 1 and reloads the fields (the entries of the "Standard" menu). */
    void ApplyStandard(int standard);

    QComboBox* CBPrinters;
    QPushButton* btnProperties;
    QTabWidget* PageControl;
    // "Ränder/Schriftart"
    QSpinBox* edtTop;
    QSpinBox* edtBottom;
    QSpinBox* edtLeft;
    QSpinBox* edtRight;
    QLabel* lblColDist;
    QSpinBox* edtColDist;
    QComboBox* cbVarFont;
    QComboBox* cbFixFont;
    QGroupBox* gbColumns;
    QSpinBox* edtColumns;
    QCheckBox* cbHeadOnColumn;
    QGroupBox* gbOrientation;
    QRadioButton* rbPortrait;
    QRadioButton* rbLandscape;
    QGroupBox* gbAddress;
    QSpinBox* edtAddrTop;
    QSpinBox* edtAddrLeft;
    QLabel* lblInfo;
    // "Fusszeilen"
    QPlainTextEdit* memoFootLeft;
    QPlainTextEdit* memoFootCentre;
    QPlainTextEdit* memoFootRight;
    QSpinBox* edtFootSize;
    QLabel* lblFootCount;
    // "Grafiken"
    QListWidget* lbImages;
    QSpinBox* edtImgX;
    QSpinBox* edtImgY;
    QSpinBox* edtImgScale;
    QComboBox* cbImgAlign;
    QLineEdit* edtImgFile;
    QPushButton* btnImgFile;
    QPushButton* btnImgNew;
    QPushButton* btnImgDelete;
    // "Verschiedenes"
    QLabel* lblTemplate;
    QLineEdit* edtTemplate;
    QPushButton* btnTemplateFile;
    QPushButton* btnTemplateEdit;
    QSpinBox* edtHtmlWidth;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnStandard;

    void btnTemplateEditClick();
    /** The image entries as the list holds them ("x;y;scale;alignment;file"). */
    const std::vector<std::string>& imageEntries() const { return FImages; }
    void newImageEntry();
    void deleteImageEntry();

private:
    QWidget* createMarginsTab();
    QWidget* createFooterTab();
    QWidget* createImagesTab();
    QWidget* createMiscTab();
    void connectChanges();
    void applyOptions();
    void updateColumnFields();
    void updateFooterCount();
    void fillFonts();
    void printerChanged();
    void propertiesClick();
    void tabChanged(int index);
    void imageSelected(int row);
    void imageFieldsChanged();
    void refreshImageRows();
    void fieldChanged();

    report::TVnxDocument& FDocument;
    bool FAllowHtml;
    bool FLoading = false;
    std::vector<std::string> FImages;
    int FImageRow = -1;
};

} // namespace lanescope::ui
