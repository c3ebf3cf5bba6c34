#include "report_printing.h"

#include "errors.h"
#include "report_render.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

void printReport(const ReportPage& page) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw ProgramError(ErrorCode::PrinterFailure, QStringLiteral("No printer is installed."));
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw ProgramError(ErrorCode::PrinterFailure, QStringLiteral("The printer ") +
                                                          info.printerName() +
                                                          QStringLiteral(" could not be started."));
    }
    renderReportPages(painter, page, [&printer] { return printer.newPage(); });
    if (!painter.end()) {
        throw ProgramError(ErrorCode::PrinterFailure,
                           QStringLiteral("The printer ") + info.printerName() +
                               QStringLiteral(" did not take the report."));
    }
}
