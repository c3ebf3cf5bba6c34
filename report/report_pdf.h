#pragma once

#include <QByteArray>
#include <QString>

class QPdfWriter;
class ReportPage;

// The report and its calculation sheet as an A4 PDF/A-1b, fonts embedded,
// titled by ship and report, its author the surveyor.
QByteArray reportPdf(const ReportPage& page);

// Sets the writer up as the report's PDF is written: PDF/A-1b, A4 without
// margins, and the page's title, author and keywords in its metadata.
void setUpReportWriter(QPdfWriter& writer, const ReportPage& page);

// Writes the PDF to the file, whole or not at all. Raises ProgramError
// naming the file when it cannot be written.
void saveReportPdf(const ReportPage& page, const QString& fileName);
