#include "report_pdf.h"

#include "durable_file.h"
#include "errors.h"
#include "report_page.h"
#include "report_render.h"

#include <QBuffer>
#include <QDateTime>
#include <QPainter>
#include <QPdfWriter>

namespace {

QString creator() {
    return QStringLiteral("Calvane Lt");
}

QString title(const ReportPage& page) {
    return page.caption(QStringLiteral("lblShipName")) + QStringLiteral(" - ") +
           page.caption(QStringLiteral("lblReportTitle"));
}

QString subject(const ReportPage& page) {
    return QStringLiteral("Draft survey of %1 at %2")
        .arg(page.caption(QStringLiteral("lblShipName")),
             page.caption(QStringLiteral("lblPortName")));
}

QString keywords(const ReportPage& page) {
    return QStringLiteral("draft survey, displacement, %1, %2")
        .arg(page.caption(QStringLiteral("lblShipName")),
             page.caption(QStringLiteral("lblPortName")));
}

QString xmlEscaped(const QString& text) {
    return text.toHtmlEscaped();
}

// Title, author, subject, keywords, the tool and the PDF/A part.
QByteArray pdfMetadata(const ReportPage& page) {
    // Qt 6.4's writer sets only the title and creator in the document
    // information; the author, subject and keywords go in the XMP packet,
    // which then has to declare PDF/A-1b itself.
    const QString created = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    const QString author =
        page.author().isEmpty()
            ? QString()
            : QStringLiteral("<dc:creator><rdf:Seq><rdf:li>%1</rdf:li></rdf:Seq></dc:creator>\n")
                  .arg(xmlEscaped(page.author()));
    const QString xmp =
        QStringLiteral(
            "<?xpacket begin='\xfeff' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
            "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
            "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
            "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'>\n"
            "<dc:format>application/pdf</dc:format>\n"
            "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>%1</rdf:li></rdf:Alt></dc:title>\n"
            "%2"
            "<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>%3</rdf:li></rdf:Alt>"
            "</dc:description>\n"
            "</rdf:Description>\n"
            "<rdf:Description rdf:about='' xmlns:pdf='http://ns.adobe.com/pdf/1.3/'>\n"
            "<pdf:Keywords>%4</pdf:Keywords>\n"
            "<pdf:Producer>Qt %5</pdf:Producer>\n"
            "</rdf:Description>\n"
            "<rdf:Description rdf:about='' xmlns:xmp='http://ns.adobe.com/xap/1.0/'>\n"
            "<xmp:CreatorTool>%6</xmp:CreatorTool>\n"
            "<xmp:CreateDate>%7</xmp:CreateDate>\n"
            "<xmp:ModifyDate>%7</xmp:ModifyDate>\n"
            "</rdf:Description>\n"
            "<rdf:Description rdf:about='' xmlns:pdfaid='http://www.aiim.org/pdfa/ns/id/'>\n"
            "<pdfaid:part>1</pdfaid:part>\n"
            "<pdfaid:conformance>B</pdfaid:conformance>\n"
            "</rdf:Description>\n"
            "</rdf:RDF>\n"
            "</x:xmpmeta>\n"
            "<?xpacket end='w'?>")
            .arg(xmlEscaped(title(page)), author, xmlEscaped(subject(page)),
                 xmlEscaped(keywords(page)), QString::fromLatin1(qVersion()), xmlEscaped(creator()),
                 created);
    return xmp.toUtf8();
}

} // namespace

void setUpReportWriter(QPdfWriter& writer, const ReportPage& page) {
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF());
    writer.setCreator(creator());
    writer.setTitle(title(page));
    writer.setDocumentXmpMetadata(pdfMetadata(page));
}

QByteArray reportPdf(const ReportPage& page) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        setUpReportWriter(writer, page);
        QPainter painter(&writer);
        renderReportPages(painter, page, [&writer] { return writer.newPage(); });
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
