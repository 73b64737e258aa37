#pragma once
// Printing and print preview of the text. Pages are laid out in a fixed-pitch font: lines break
// at CR LF, LF or CR, tabs stop every eight columns, a line longer than the page is continued
// on the next printed line, and control bytes print as a middle dot.
//
// One printer object is shared by Print Setup, Print and Print Preview, so the choices made in
// one are kept for the others during the run.

#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QPrinter;
class QWidget;

namespace halvex {

inline constexpr const char* kNoPrinterMessage =
    "The document could not be printed: no printer is installed. Add a printer in the system's "
    "printer settings, then try again.";

// The printed lines of `text` for a page `columns` characters wide.
std::vector<std::string> LayOutPrintLines(std::string_view text, int columns);

// Paints every page of `text` on `printer`. `beforePage(page, pageCount)` (pages counted from 1)
// may stop the job by returning false. False when printing could not start or was stopped.
bool PaintTextPages(QPrinter& printer, const std::string& text,
                    const std::function<bool(int page, int pageCount)>& beforePage = {});

QPrinter& SharedPrinter();
// Sends every later print job to this PDF file instead of a printer (empty: printers again).
void SetPrintOutputFile(const QString& pdfPath);

// The Print command: the print dialog, then the job with its progress box.
void PrintWithDialog(QWidget* parent, const std::string& text, const QString& title);
// Prints without a dialog (on the chosen printer when `printerName` is given); the user is told
// when it fails. False when printing failed or was cancelled.
bool PrintOnSharedPrinter(QWidget* parent, const std::string& text, const QString& title,
                          const QString& printerName = {});
// The Print Setup command: the printer dialog on the shared printer, so the printer and options
// chosen there are those that Print and Print Preview use.
void ShowPrintSetup(QWidget* parent);
// The Print Preview command; `print` runs the Print command when the preview's Print is chosen.
void ShowPrintPreview(QWidget* parent, const std::string& text, const QString& title,
                      const std::function<void()>& print);

}  // namespace halvex
