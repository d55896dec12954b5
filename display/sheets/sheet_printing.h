#pragma once
// Printing the sheets: a print job is a page canvas on the system's printer
// or, where no printer is installed, in a PDF file. The sheet viewer holds the
// printer it prints on, which its maker may replace (tests print into a PDF of
// their own).
#include <memory>
#include <string>

#include "display/draw/surface.h"

namespace display {

// The margin a sheet keeps from every edge of the paper at least, in
// millimetres: the printable area of a common office printer. A printer whose
// printable area is smaller keeps its own, wider margins.
inline constexpr double kSheetPaperMarginMm = 4.2;

// One print job of A4 pages; ending it (its destruction) ends the document.
class SheetPrintJob {
public:
    virtual ~SheetPrintJob() = default;
    // The page's canvas, on paper, device pixels from the paper's top-left corner.
    virtual Surface& Canvas() = 0;
    // The printer's page, the printable area of the paper: its width in device
    // pixels (the long side in landscape) and its top-left corner.
    virtual int PageWidthPixels() const = 0;
    virtual Point PageOriginPixels() const = 0;
};

class SheetPrinter {
public:
    virtual ~SheetPrinter() = default;
    // Starts a job in an orientation, with a blank page ahead of the sheet when
    // asked, titled `title` (Windows-1252; the job's and the document's name);
    // nullptr when the user cancels.
    virtual std::unique_ptr<SheetPrintJob> Begin(bool landscape, bool blankFirstPage, const std::string& title) = 0;
    // The printer's setup; returns whether the user confirmed, and sets the
    // orientation chosen there.
    virtual bool Setup(bool& landscape) = 0;
};

// A printer that writes each job into one PDF file (replaced at every job).
class PdfSheetPrinter : public SheetPrinter {
public:
    explicit PdfSheetPrinter(std::string path) : path_(std::move(path)) {}
    std::unique_ptr<SheetPrintJob> Begin(bool landscape, bool blankFirstPage, const std::string& title) override;
    bool Setup(bool& landscape) override;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The system's printer: its default printer through the print dialog, or,
// without one, a PDF file the user chooses.
std::unique_ptr<SheetPrinter> MakeSystemSheetPrinter();

}  // namespace display
