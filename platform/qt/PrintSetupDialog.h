#pragma once
// The print setup dialog: which printer, which paper and which way up, for the application
// printer. OK gives the choice to the printer; Cancel leaves it as it was. Qt's texts, so
// that Qt's own translations carry them.
#include <QDialog>

class QComboBox;
class QPrinter;
class QRadioButton;

class PrintSetupDialog : public QDialog {
    Q_OBJECT

public:
    // printer: the application printer; must outlive the dialog.
    PrintSetupDialog(QPrinter& printer, QWidget* parent);

    QComboBox& Printers() { return *printers_; }
    QComboBox& Papers() { return *papers_; }
    QRadioButton& Portrait() { return *portrait_; }
    QRadioButton& Landscape() { return *landscape_; }

    void accept() override;

private:
    // The papers of the chosen printer (the usual ones without a printer), the printer's
    // own paper chosen when it is one of them.
    void FillPapers();

    QPrinter& printer_;
    QComboBox* printers_ = nullptr;
    QComboBox* papers_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
};
