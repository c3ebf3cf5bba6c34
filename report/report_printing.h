#pragma once

class ReportPage;

// Sends the report's pages to the default printer, without a dialog. Raises
// ProgramError naming what failed: no printer installed, or the printer
// that could not be started.
void printReport(const ReportPage& page);
