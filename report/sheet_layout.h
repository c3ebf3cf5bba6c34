#pragma once

#include "calculation_sheet.h"
#include "report_layout.h"

#include <QList>

// The calculation sheet laid out on A4 pages in the report's printed area,
// as layouts the report's renderer draws: each part begins on a new page
// unless it fits below the one before, and a part longer than a page goes
// on under its title marked "(continued)". Every page is headed by the
// ship's name and ends in "Calculation sheet, page n of m".
QList<ReportLayout> sheetLayouts(const CalculationSheet& sheet, const QString& shipName);
