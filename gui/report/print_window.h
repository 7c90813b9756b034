// The print window PrntFile: shows the hand-over file in an editable box and prints the (possibly
// edited) text to the default printer, or, when there is none, to a PDF file the user agrees to.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QPlainTextEdit;
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
    void setPrinterLookup(PrinterLookup lookup) { printerLookup_ = std::move(lookup); }

  private:
    void print();
    // Paints the pages on the default printer or into the PDF file; false when the device would not open.
    bool paint(const PrintJob& job, const QString& printerName, const QString& pdfFile);

    AppServices& app_;
    QString pdfTarget_;
    PrinterLookup printerLookup_;
    QPlainTextEdit* txtContent_ = nullptr;
    QLabel* label1_ = nullptr;
    QPushButton *btnPrint_ = nullptr, *btnCancel_ = nullptr;
};

}  // namespace talvenor::gui
