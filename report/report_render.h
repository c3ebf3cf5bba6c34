#pragma once

#include <QImage>
#include <functional>

class QPainter;
class ReportPage;
struct ReportLabel;

// Draws the report's page `index` (0 the report itself, then the
// calculation sheet's) onto the painter's device, whose origin is the top
// left corner of an A4 sheet; one twip is dpi / 1440 device pixels.
void renderReport(QPainter& painter, const ReportPage& page, int index = 0);
// Every page, calling `newPage` between two; stops where it returns false.
void renderReportPages(QPainter& painter, const ReportPage& page,
                       const std::function<bool()>& newPage);

// Whether the text fits the label, in the smallest type the renderer
// would shrink it to.
bool fitsLabel(const ReportLabel& label, const QString& text);

// One page as an A4 image at the given resolution.
QImage reportImage(const ReportPage& page, int dpi, int index = 0);
