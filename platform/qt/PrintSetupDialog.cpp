#include "platform/qt/PrintSetupDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString Tr(const char* context, const char* text)
{
    return QCoreApplication::translate(context, text);
}

// The printer the dialog opens on: the application printer's, else the default one.
QString CurrentPrinterName(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty())
        return printer.printerName();
    return QPrinterInfo::defaultPrinterName();
}

}  // namespace

PrintSetupDialog::PrintSetupDialog(QPrinter& printer, QWidget* parent) : QDialog(parent), printer_(printer)
{
    setWindowTitle(Tr("QPrintPreviewDialog", "Page Setup"));
    auto* layout = new QVBoxLayout(this);

    auto* printerBox = new QGroupBox(Tr("QPrintWidget", "Printer"), this);
    auto* printerForm = new QFormLayout(printerBox);
    printers_ = new QComboBox(printerBox);
    printers_->addItems(QPrinterInfo::availablePrinterNames());
    printers_->setCurrentIndex(printers_->findText(CurrentPrinterName(printer)));
    printers_->setEnabled(printers_->count() > 0);
    printerForm->addRow(Tr("QPrintWidget", "&Name:"), printers_);
    layout->addWidget(printerBox);

    auto* paperBox = new QGroupBox(Tr("QPageSetupWidget", "Paper"), this);
    auto* paperForm = new QFormLayout(paperBox);
    papers_ = new QComboBox(paperBox);
    paperForm->addRow(Tr("QPageSetupWidget", "Page size:"), papers_);
    layout->addWidget(paperBox);

    auto* orientationBox = new QGroupBox(Tr("QPageSetupWidget", "Orientation"), this);
    auto* orientationRow = new QHBoxLayout(orientationBox);
    portrait_ = new QRadioButton(Tr("QPageSetupWidget", "Portrait"), orientationBox);
    landscape_ = new QRadioButton(Tr("QPageSetupWidget", "Landscape"), orientationBox);
    orientationRow->addWidget(portrait_);
    orientationRow->addWidget(landscape_);
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    landscape_->setChecked(landscape);
    portrait_->setChecked(!landscape);
    layout->addWidget(orientationBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    FillPapers();
    connect(printers_, &QComboBox::currentIndexChanged, this, [this] { FillPapers(); });
}

void PrintSetupDialog::FillPapers()
{
    const QPageSize wanted = papers_->count() > 0 ? papers_->currentData().value<QPageSize>()
                                                  : printer_.pageLayout().pageSize();
    QList<QPageSize> sizes;
    if (printers_->currentIndex() >= 0)
        sizes = QPrinterInfo::printerInfo(printers_->currentText()).supportedPageSizes();
    if (sizes.isEmpty())
        for (const QPageSize::PageSizeId id : {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::Letter,
                                               QPageSize::Legal})
            sizes.append(QPageSize(id));
    papers_->clear();
    int chosen = -1;
    for (const QPageSize& size : sizes) {
        if (chosen < 0 && size.isEquivalentTo(wanted))
            chosen = papers_->count();
        papers_->addItem(size.name(), QVariant::fromValue(size));
    }
    // A paper of the printer's own that the list does not hold stays on offer.
    if (chosen < 0 && wanted.isValid()) {
        papers_->insertItem(0, wanted.name(), QVariant::fromValue(wanted));
        chosen = 0;
    }
    papers_->setCurrentIndex(std::max(chosen, 0));
}

void PrintSetupDialog::accept()
{
    // The printer first: a printer chosen anew brings its own paper, which the choice replaces.
    if (printers_->isEnabled() && printers_->currentIndex() >= 0 &&
        (printer_.outputFormat() != QPrinter::NativeFormat || printer_.printerName() != printers_->currentText()))
        printer_.setPrinterName(printers_->currentText());
    if (papers_->currentIndex() >= 0)
        printer_.setPageSize(papers_->currentData().value<QPageSize>());
    printer_.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QDialog::accept();
}
