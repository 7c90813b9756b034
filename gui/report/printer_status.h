// What the system's print spooler says of a printer: whether it takes jobs now.
#pragma once

#include <QString>

#include "report/printing.h"

namespace talvenor::gui {

// Asks the spooler (the one CUPS_SERVER names, else the system's) about the printer.
PrinterCondition QueryPrinterCondition(const QString& printerName);

}  // namespace talvenor::gui
