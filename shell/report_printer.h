#pragma once

struct ReportSource;

// How a filled survey reaches the page printer without knowing it. The
// program installs the real one; tests install a recorder.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    // Opens a preview window that outlives the call. Raises ProgramError
    // naming what failed.
    virtual void preview(const ReportSource& source) = 0;
    // Sends the page to the default printer without a dialog. Raises
    // ProgramError naming what failed (no printer installed among them).
    virtual void print(const ReportSource& source) = 0;
};

// The installed printer, or nullptr.
ReportPrinter* reportPrinter();
// Installs a printer the caller keeps alive; nullptr removes it.
void installReportPrinter(ReportPrinter* printer);

// Installs a printer for the life of the scope, then puts back what was
// there before.
class ScopedReportPrinter {
public:
    explicit ScopedReportPrinter(ReportPrinter* printer) : m_previous(reportPrinter()) {
        installReportPrinter(printer);
    }
    ~ScopedReportPrinter() { installReportPrinter(m_previous); }
    ScopedReportPrinter(const ScopedReportPrinter&) = delete;
    ScopedReportPrinter& operator=(const ScopedReportPrinter&) = delete;

private:
    ReportPrinter* m_previous;
};
