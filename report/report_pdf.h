#pragma once

#include <QByteArray>
#include <QString>

class ReportPage;

// The page as a one-page A4 PDF.
QByteArray reportPdf(const ReportPage& page);

// Writes the PDF to the file, whole or not at all. Raises ProgramError
// naming the file when it cannot be written.
void saveReportPdf(const ReportPage& page, const QString& fileName);
