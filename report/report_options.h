#pragma once

#include <QString>

// What the user chose for every report, from the preview to the command.
struct ReportOptions {
    // The calculation sheet printed after the page.
    bool calculationSheet = true;
    // The surveyor signing the report: the PDF's author.
    QString surveyor;
};

// As the user's settings file holds them: "Report/Calculation Sheet"
// (printed unless 0 or false) and "Report/Surveyor".
ReportOptions savedReportOptions();
