// The print window PrntFile: shows the hand-over file in an editable box and prints the (possibly
// edited) text to the default printer, or, when there is none, to a PDF file the user agrees to; the
// system's print dialog offers another printer, copies and a page range.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace talvenor {
struct PrintJob;
}

namespace talvenor::gui {

class AppServices;

class PrintWindow : public QWidget {
    Q_OBJECT

  public:
    // The name of the default printer; "" when none is set up.
    using PrinterLookup = std::function<QString()>;

    // Loads the hand-over file of the program folder into the text box.
    explicit PrintWindow(AppServices& app, QWidget* parent = nullptr);

    // Print writes into this PDF file instead of going to a printer (tests, and the no-printer case).
    void setPdfTarget(const QString& file) { pdfTarget_ = file; }
    // Where the default printer is looked up; tests put "no printer" in its place.
    void setPrinterLookup(PrinterLookup lookup);

    // The system's print dialog: sets up the printer (its choice, copies, page range); false on Cancel.
    using PrintDialog = std::function<bool(QPrinter&, QWidget* parent)>;
    void setPrintDialog(PrintDialog dialog) { printDialog_ = std::move(dialog); }

  private:
    // Print: to the default printer, or to a PDF file when there is none and the user agrees.
    void print();
    // The print dialog's button: to the printer and with the copies and pages the user chose there.
    void printThroughDialog();
    // Sends the window's text to the set-up printer; the window closes once the job went out.
    void printTo(QPrinter& printer);
    // Paints the pages onto the printer; false when the device would not open.
    bool paint(const PrintJob& job, QPrinter& printer);
    // A printer that would not take the job now is named in a message; true when it is ready.
    bool printerReady(const QString& printerName);
    void showPrinter();

    AppServices& app_;
    QString pdfTarget_;
    PrinterLookup printerLookup_;
    PrintDialog printDialog_;
    QPlainTextEdit* txtContent_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* lblPrinter_ = nullptr;
    QPushButton *btnPrint_ = nullptr, *btnPrintDialog_ = nullptr, *btnCancel_ = nullptr;
};

}  // namespace talvenor::gui
