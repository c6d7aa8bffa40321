#pragma once
#include <QString>
#include <functional>

class QPrinter;
class QWidget;
class ReportDocument;

// Printing a report on a printer or into a PDF file, page by page as its
// pages are laid out. A printing of more than a few pages shows a modal
// progress window, "Printing page n of N", whose Cancel stops it before the
// next page; the window keeps the program answering between pages.
namespace ReportPrinting {

struct Run {
    enum Outcome { Printed, Cancelled, Failed } outcome = Printed;
    int first = 0, last = -1;     // the pages (from 0) it was to print
    // A PDF file it had begun and, cancelled or failed, removed again.
    bool fileRemoved = false;
    QString reason;               // why the file could not take its name, where that failed
};

// Every page of the report, or the printer's page range (pages from..to,
// from 1), one sheet each on the report's paper. Into a PDF file the pages
// go to a side file beside it, which takes the file's name only once every
// page is in: a printing that does not end (Cancel, a printer or file that
// cannot be written, or an error, which goes on to the caller) leaves no
// unfinished file behind and an older file of that name as it was. A whole
// file whose folder could not be synced to disk keeps its name, and the
// printing fails with that reason.
Run print(ReportDocument& report, QPrinter& printer, QWidget* owner);

// How many pages a printing has before its progress is shown.
inline constexpr int FewPages = 3;

// Tests answer the progress instead of a window: called before each page,
// with its place in the printing (from 1) and the pages it has, and false
// to cancel. An empty handler restores the window.
using ProgressHandler = std::function<bool(int page, int pages)>;
void setProgressHandler(ProgressHandler handler);

}  // namespace ReportPrinting
