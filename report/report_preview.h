#pragma once

#include "report_page.h"

#include <QDate>
#include <QWidget>

class QComboBox;
class QLabel;

// A report on screen, in a window of its own that outlives whatever opened
// it: the report's pages at a chosen zoom, and Save as PDF.
class ReportPreview : public QWidget {
    Q_OBJECT
public:
    explicit ReportPreview(const ReportPage& page, QWidget* parent = nullptr);

    const ReportPage& page() const { return m_page; }
    int zoom() const;
    // Percent; the nearest offered zoom is taken.
    void setZoom(int percent);

    // "SHIP - Port - yyyy-MM-dd.pdf" in the user's documents folder, dated
    // by the survey.
    QString proposedFileName() const;
    // Asks for a file and writes the report to it; a failure is shown.
    void saveAsPdf();

private:
    void showPage();
    // A page's width at 100% and most of its height, within the screen.
    void fitScreen();
    QDate surveyDate() const;

    ReportPage m_page;
    QComboBox* m_zoom;
    QLabel* m_sheet;
};
