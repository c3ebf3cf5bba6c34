#include "report_printer.h"

namespace {
ReportPrinter* installedPrinter = nullptr;
}

ReportPrinter* reportPrinter() {
    return installedPrinter;
}

void installReportPrinter(ReportPrinter* printer) {
    installedPrinter = printer;
}
