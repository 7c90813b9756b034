#include "report/printer_status.h"

#include <cups/cups.h>

namespace talvenor::gui {

PrinterCondition QueryPrinterCondition(const QString& printerName) {
    PrinterCondition condition;
    const QByteArray name = printerName.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (dest == nullptr) {
        condition.found = false;
        return condition;
    }
    const auto option = [dest](const char* key) {
        const char* value = cupsGetOption(key, dest->num_options, dest->options);
        return QString::fromUtf8(value != nullptr ? value : "");
    };
    // IPP printer states: 3 idle, 4 processing, 5 stopped.
    condition.stopped = option("printer-state") == "5";
    condition.accepting = option("printer-is-accepting-jobs").compare("false", Qt::CaseInsensitive) != 0;
    condition.stateMessage = option("printer-state-message").trimmed().toStdString();
    cupsFreeDests(1, dest);
    return condition;
}

}  // namespace talvenor::gui
