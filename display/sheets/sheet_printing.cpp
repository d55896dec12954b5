#include "display/sheets/sheet_printing.h"

#include <QFileDialog>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "display/draw/painter_surface.h"
#include "platform/gui/modal.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/paths.h"

namespace display {

namespace {

void SetUpPrinter(QPrinter& printer, bool landscape, const std::string& title) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setDocName(gui::ToQt(title));
    printer.setCreator("Kelvor");
}

// The printable area of the printer's paper in device pixels from the paper's
// corner: inside the printer's own margins, and at least the sheets' margin
// from every edge.
QRect PrintableArea(const QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = layout.minimumMargins();
    const QMarginsF margins(std::max(least.left(), kSheetPaperMarginMm), std::max(least.top(), kSheetPaperMarginMm),
                            std::max(least.right(), kSheetPaperMarginMm),
                            std::max(least.bottom(), kSheetPaperMarginMm));
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(margins);
    return layout.paintRectPixels(printer.resolution());
}

// A job on a set-up printer: the painter opens at the first drawing; a blank
// first page is a page left empty before it.
class PrinterJob : public SheetPrintJob {
public:
    PrinterJob(std::unique_ptr<QPrinter> printer, bool blankFirstPage)
        : printer_(std::move(printer)), surface_(printer_.get()), page_(PrintableArea(*printer_)) {
        surface_.SetOutputMedium(Medium::Paper);
        if (blankFirstPage) {
            surface_.FillRect({0, 0, 1, 1}, kWhite);  // opens the page
            printer_->newPage();
        }
    }
    ~PrinterJob() override { surface_.Flush(); }
    Surface& Canvas() override { return surface_; }
    int PageWidthPixels() const override { return page_.width(); }
    Point PageOriginPixels() const override { return {page_.left(), page_.top()}; }

private:
    std::unique_ptr<QPrinter> printer_;
    PainterSurface surface_;
    QRect page_;
};

class SystemSheetPrinter : public SheetPrinter {
public:
    std::unique_ptr<SheetPrintJob> Begin(bool landscape, bool blankFirstPage, const std::string& title) override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (QPrinterInfo::defaultPrinter().isNull()) {
            const QString start = QString::fromStdString(rt::ResolvePath("Emf\\GRAF01.pdf").string());
            const QString file = QFileDialog::getSaveFileName(nullptr, "Stampa su file PDF", start, "PDF (*.pdf)");
            if (file.isEmpty()) return nullptr;
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(file);
        } else {
            printer->setPrinterName(QPrinterInfo::defaultPrinter().printerName());
            SetUpPrinter(*printer, landscape, title);
            QPrintDialog dialog(printer.get());
            dialog.setObjectName("PrintDialog1");
            if (gui::ShowModal(&dialog) != gui::kModalOk) return nullptr;
        }
        SetUpPrinter(*printer, landscape, title);
        return std::make_unique<PrinterJob>(std::move(printer), blankFirstPage);
    }
    bool Setup(bool& landscape) override {
        QPrinter printer(QPrinter::HighResolution);
        if (QPrinterInfo::defaultPrinter().isNull()) printer.setOutputFormat(QPrinter::PdfFormat);
        SetUpPrinter(printer, landscape, "");
        QPageSetupDialog dialog(&printer);
        dialog.setObjectName("PrinterSetupDialog1");
        if (gui::ShowModal(&dialog) != gui::kModalOk) return false;
        landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
        return true;
    }
};

}  // namespace

std::unique_ptr<SheetPrintJob> PdfSheetPrinter::Begin(bool landscape, bool blankFirstPage, const std::string& title) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(path_));
    SetUpPrinter(*printer, landscape, title);
    return std::make_unique<PrinterJob>(std::move(printer), blankFirstPage);
}

bool PdfSheetPrinter::Setup(bool&) { return true; }

std::unique_ptr<SheetPrinter> MakeSystemSheetPrinter() { return std::make_unique<SystemSheetPrinter>(); }

}  // namespace display
