#include "report/print_window.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>
#include <ctime>
#include <filesystem>

#include "environment/app_folder.h"
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

}  // namespace

PrintWindow::PrintWindow(AppServices& app, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(app),
      printerLookup_([] { return QPrinterInfo::defaultPrinter().printerName(); }) {
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
    btnPrint_ = new QPushButton("Print", this);
    btnPrint_->setObjectName("btnPrint");
    btnCancel_ = new QPushButton("Cancel", this);
    btnCancel_->setObjectName("btnCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtContent_);
    layout->addWidget(label1_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPrint_);
    buttons->addWidget(btnCancel_);
    layout->addLayout(buttons);
    resize(720, 520);

    connect(btnPrint_, &QPushButton::clicked, this, &PrintWindow::print);
    connect(btnCancel_, &QPushButton::clicked, this, &QWidget::close);

    Session& s = app_.session();
    const PrintText loaded = LoadPrintFile(PrintFilePath(s.appFolder), s.options[117], *s.dialogs);
    QString text = QString::fromStdString(loaded.text);
    text.replace("\r\n", "\n");
    txtContent_->setPlainText(text);
}

void PrintWindow::print() {
    Session& s = app_.session();
    QString printerName;
    QString pdfFile = pdfTarget_;
    bool toReportsFolder = false;
    if (pdfFile.isEmpty()) {
        printerName = printerLookup_ ? printerLookup_() : QString();
        if (printerName.isEmpty()) {
            // Nothing is printed without saying so: the user may keep the pages as a PDF instead.
            if (!s.dialogs->AskYesNo(kNoPrinterQuestion, kNoPrinterTitle, MessageIcon::Question)) return;
            CreateReportsFolder(s.appFolder);
            pdfFile = FromPath(PrintPdfPath(s.appFolder, LocalNow()));
            toReportsFolder = true;
        }
    }

    bool printed = false;
    {
        Hourglass busy;
        const PrintJob job =
            PreparePrintJob(s.appFolder, txtContent_->toPlainText().toStdString(), s.options);
        printed = paint(job, printerName, pdfFile);
    }
    if (!printed) {
        s.dialogs->ShowMessage(pdfFile.isEmpty() ? PrinterFailedMessage(printerName.toStdString())
                                                 : PdfNotWrittenMessage(ToPath(pdfFile)),
                               kPrintFailedTitle, MessageIcon::Exclamation);
    } else if (toReportsFolder) {
        s.dialogs->ShowMessage(PdfSavedMessage(ToPath(pdfFile)), kPdfSavedTitle, MessageIcon::Information);
    }
    close();
}

bool PrintWindow::paint(const PrintJob& job, const QString& printerName, const QString& pdfFile) {
    QPrinter printer(QPrinter::HighResolution);
    if (pdfFile.isEmpty()) {
        printer.setPrinterName(printerName);
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
    }
    printer.setDocName(kPrintWindowCaption);

    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setFont(FixedPitchFont(job.pointSize));
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = metrics.lineSpacing();
    const int pageHeight = printer.height();
    bool firstPage = true;
    for (const std::vector<std::string>& page : job.pages) {
        if (!firstPage) printer.newPage();
        firstPage = false;
        int y = 0;
        for (const std::string& line : page) {
            // A page longer than the paper goes on to the next sheet, as a printer would.
            if (y > 0 && y + lineHeight > pageHeight) {
                printer.newPage();
                y = 0;
            }
            painter.drawText(0, y + metrics.ascent(), QString::fromStdString(line));
            y += lineHeight;
        }
    }
    return painter.end();
}

}  // namespace talvenor::gui
