#include "report/print_window.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>
#include <ctime>
#include <filesystem>

#include "environment/app_folder.h"
#include "report/printer_status.h"
#include "report/printing.h"
#include "session/session.h"
#include "shell/app_services.h"
#include "shell/gui_support.h"

namespace talvenor::gui {

namespace {

namespace fs = std::filesystem;

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

QFont FixedPitchFont(int pointSize) {
    // fontconfig gives the metric twin of Courier New where the font itself is not installed.
    QFont font(kPrintFontName);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (pointSize > 0) font.setPointSize(pointSize);
    return font;
}

// The printer font's character advance and line spacing per point, measured on the printer itself.
PrintFontShape FontShape(QPrinter& printer) {
    constexpr double kProbeSize = 100;
    QFont font = FixedPitchFont(0);
    font.setPointSizeF(kProbeSize);
    const QFontMetricsF metrics(font, &printer);
    const double pixelsPerPoint = kProbeSize * printer.resolution() / 72.0;
    return {metrics.horizontalAdvance(QChar('x')) / pixelsPerPoint, metrics.lineSpacing() / pixelsPerPoint};
}

}  // namespace

PrintWindow::PrintWindow(AppServices& app, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(app),
      printerLookup_([] { return QPrinterInfo::defaultPrinter().printerName(); }),
      printDialog_([](QPrinter& printer, QWidget* owner) {
          QPrintDialog dialog(&printer, owner);
          dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
          dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
          dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
          return dialog.exec() == QDialog::Accepted;
      }) {
    setObjectName("PrntFile");
    setWindowTitle(kPrintWindowCaption);

    txtContent_ = new QPlainTextEdit(this);
    txtContent_->setObjectName("txtContent");
    // Report lines are laid out in columns; wrapping them would hide the layout that will be printed.
    txtContent_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = FixedPitchFont(0);
    font.setPointSizeF(txtContent_->font().pointSizeF());
    txtContent_->setFont(font);

    label1_ = new QLabel(kPrintWindowHint, this);
    label1_->setObjectName("Label1");
    lblPrinter_ = new QLabel(this);
    lblPrinter_->setObjectName("lblPrinter");
    btnPrint_ = new QPushButton("Print", this);
    btnPrint_->setObjectName("btnPrint");
    btnPrintDialog_ = new QPushButton("Printer && &Copies...", this);
    btnPrintDialog_->setObjectName("btnPrintDialog");
    btnCancel_ = new QPushButton("Cancel", this);
    btnCancel_->setObjectName("btnCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtContent_);
    layout->addWidget(label1_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblPrinter_);
    buttons->addStretch();
    buttons->addWidget(btnPrint_);
    buttons->addWidget(btnPrintDialog_);
    buttons->addWidget(btnCancel_);
    layout->addLayout(buttons);
    resize(720, 520);

    connect(btnPrint_, &QPushButton::clicked, this, &PrintWindow::print);
    connect(btnPrintDialog_, &QPushButton::clicked, this, &PrintWindow::printThroughDialog);
    connect(btnCancel_, &QPushButton::clicked, this, &QWidget::close);

    Session& s = app_.session();
    const PrintText loaded =
        LoadPrintFile(PrintFilePath(s.appFolder), s.options.longestNormalLine(), *s.dialogs);
    QString text = QString::fromStdString(loaded.text);
    text.replace("\r\n", "\n");
    txtContent_->setPlainText(text);
    showPrinter();
}

void PrintWindow::setPrinterLookup(PrinterLookup lookup) {
    printerLookup_ = std::move(lookup);
    showPrinter();
}

void PrintWindow::showPrinter() {
    const QString printer = pdfTarget_.isEmpty() && printerLookup_ ? printerLookup_() : QString();
    lblPrinter_->setText(QString::fromStdString(PrinterLabelText(printer.toStdString())));
}

bool PrintWindow::printerReady(const QString& printerName) {
    const auto refusal = PrinterRefusalMessage(printerName.toStdString(), QueryPrinterCondition(printerName));
    if (!refusal) return true;
    app_.session().dialogs->ShowMessage(*refusal, kPrinterRefusedTitle, MessageIcon::Exclamation);
    return false;
}

void PrintWindow::print() {
    Session& s = app_.session();
    QPrinter printer(QPrinter::HighResolution);
    bool toReportsFolder = false;
    if (!pdfTarget_.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfTarget_);
    } else {
        const QString printerName = printerLookup_ ? printerLookup_() : QString();
        if (printerName.isEmpty()) {
            // Nothing is printed without saying so: the user may keep the pages as a PDF instead.
            if (!s.dialogs->AskYesNo(kNoPrinterQuestion, kNoPrinterTitle, MessageIcon::Question)) return;
            CreateReportsFolder(s.appFolder);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(FromPath(PrintPdfPath(s.appFolder, LocalNow())));
            toReportsFolder = true;
        } else {
            printer.setPrinterName(printerName);
        }
    }
    printTo(printer);
    if (toReportsFolder && !isVisible()) {
        s.dialogs->ShowMessage(PdfSavedMessage(ToPath(printer.outputFileName())), kPdfSavedTitle,
                               MessageIcon::Information);
    }
}

void PrintWindow::printThroughDialog() {
    QPrinter printer(QPrinter::HighResolution);
    const QString defaultPrinter = printerLookup_ ? printerLookup_() : QString();
    if (!defaultPrinter.isEmpty()) printer.setPrinterName(defaultPrinter);
    if (!printDialog_ || !printDialog_(printer, this)) return;
    printTo(printer);
}

void PrintWindow::printTo(QPrinter& printer) {
    Session& s = app_.session();
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (!toFile && !printerReady(printer.printerName())) return;
    printer.setDocName(kPrintWindowCaption);

    bool printed = false;
    {
        Hourglass busy;
        const PrintJob job =
            PreparePrintJob(s.appFolder, txtContent_->toPlainText().toStdString(), s.options);
        printed = paint(job, printer);
    }
    if (!printed) {
        // The text stays in the window, so the user can try again or another printer.
        s.dialogs->ShowMessage(toFile ? PdfNotWrittenMessage(ToPath(printer.outputFileName()))
                                      : PrinterFailedMessage(printer.printerName().toStdString()),
                               kPrintFailedTitle, MessageIcon::Exclamation);
        return;
    }
    close();
}

bool PrintWindow::paint(const PrintJob& job, QPrinter& printer) {
    // The paper and the font decide how large the pages can be printed without cutting a line.
    printer.setPageOrientation(QPageLayout::Portrait);
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
    const PrintFontShape shape = FontShape(printer);
    const PrintFit fit = FitPrintJob(job, {area.width(), area.height()}, shape);
    if (fit.landscape) printer.setPageOrientation(QPageLayout::Landscape);
    const int fromPage = printer.printRange() == QPrinter::PageRange ? printer.fromPage() : 0;
    const int toPage = printer.printRange() == QPrinter::PageRange ? printer.toPage() : 0;

    QPainter painter;
    if (!painter.begin(&printer)) return false;
    QFont font = FixedPitchFont(job.pointSize);
    font.setPointSizeF(fit.pointSize);
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font(), &printer);
    // The line pitch is the one the fit was worked out with, so the asked lines always fill one sheet.
    const double lineHeight = fit.pointSize * shape.lineSpacing * printer.resolution() / 72.0;
    const double pageHeight = printer.height();
    bool firstSheet = true;
    int pageNumber = 0;
    for (const std::vector<std::string>& page : job.pages) {
        if (!PageInRange(++pageNumber, fromPage, toPage)) continue;
        if (!firstSheet) printer.newPage();
        firstSheet = false;
        double y = 0;
        for (const std::string& line : page) {
            // A page longer than the paper goes on to the next sheet, as a printer would.
            if (y > 0 && y + lineHeight > pageHeight) {
                printer.newPage();
                y = 0;
            }
            painter.drawText(QPointF(0, y + metrics.ascent()), QString::fromStdString(line));
            y += lineHeight;
        }
    }
    return painter.end();
}

}  // namespace talvenor::gui
