#pragma once

#include <QImage>

class QPainter;
class ReportPage;

// Draws the page onto the painter's device, whose origin is the top left
// corner of an A4 sheet; one twip is dpi / 1440 device pixels.
void renderReport(QPainter& painter, const ReportPage& page);

// The page as an A4 image at the given resolution.
QImage reportImage(const ReportPage& page, int dpi);
