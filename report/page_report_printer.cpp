#include "page_report_printer.h"

#include "report_fill.h"
#include "report_options.h"
#include "report_preview.h"
#include "report_printing.h"

PageReportPrinter::~PageReportPrinter() {
    for (const QPointer<ReportPreview>& preview : std::as_const(m_previews))
        delete preview.data();
}

void PageReportPrinter::preview(const ReportSource& source) {
    auto* window = new ReportPreview(fillReport(source, savedReportOptions()));
    m_previews.append(window);
    window->show();
}

void PageReportPrinter::print(const ReportSource& source) {
    printReport(fillReport(source, savedReportOptions()));
}

QList<ReportPreview*> PageReportPrinter::openPreviews() const {
    QList<ReportPreview*> open;
    for (const QPointer<ReportPreview>& preview : m_previews) {
        if (preview)
            open.append(preview.data());
    }
    return open;
}
