#include "report_pdf.h"

#include "durable_file.h"
#include "errors.h"
#include "report_page.h"
#include "report_render.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

QByteArray reportPdf(const ReportPage& page) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF());
        writer.setCreator(QStringLiteral("Calvane Lt"));
        writer.setTitle(page.caption(QStringLiteral("lblShipName")) + QStringLiteral(" - ") +
                        page.caption(QStringLiteral("lblReportTitle")));
        QPainter painter(&writer);
        renderReport(painter, page);
    }
    return pdf;
}

void saveReportPdf(const ReportPage& page, const QString& fileName) {
    const QByteArray pdf = reportPdf(page);
    if (const QString error = DurableFile::write(fileName, pdf); !error.isEmpty()) {
        throw ProgramError(ErrorCode::FileAccess,
                           QStringLiteral("The report could not be written to ") + error);
    }
}
