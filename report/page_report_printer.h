#pragma once

#include "report_printer.h"

#include <QList>
#include <QPointer>

class ReportPreview;

// The program's report printer: previews in windows of their own, prints
// on the default printer, each with the report options the user saved.
class PageReportPrinter : public ReportPrinter {
public:
    PageReportPrinter() = default;
    // Closes the previews still open.
    ~PageReportPrinter() override;
    PageReportPrinter(const PageReportPrinter&) = delete;
    PageReportPrinter& operator=(const PageReportPrinter&) = delete;

    void preview(const ReportSource& source) override;
    void print(const ReportSource& source) override;

    // The previews still open, oldest first.
    QList<ReportPreview*> openPreviews() const;

private:
    // Each preview deletes itself when closed.
    QList<QPointer<ReportPreview>> m_previews;
};
