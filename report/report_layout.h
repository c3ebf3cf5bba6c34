#pragma once

#include "survey_document.h"

#include <QLine>
#include <QList>
#include <QRect>
#include <QString>

// How the renderer dresses a label.
enum class LabelStyle {
    Plain,     // a value or a row caption
    Caption,   // a small bold caption of the ship block
    Heading,   // a column heading or a section caption
    ShipName,  // the ship's name at the top
    Title,     // the report's title
    Total,     // a bold figure the survey ends in
    Signature, // a caption under a signature line
    Note,      // a remark in small type
    Working,   // a step of the calculation sheet, wrapped to its label
};

// One label of a report layout; positions and sizes in twips (1440 to the
// inch) from the top left of the printed area.
struct ReportLabel {
    QString name;
    int top = 0, left = 0, width = 0, height = 0;
    QString designCaption;
    Qt::Alignment alignment = Qt::AlignLeft;
    LabelStyle style = LabelStyle::Plain;

    QRect twips() const { return {left, top, width, height}; }
};

// A whole report page: labels and the rules, boxes and shaded bands drawn
// behind them, all in twips.
struct ReportLayout {
    QString name;
    QList<ReportLabel> labels;
    QList<QRect> bands;
    QList<QRect> boxes;
    QList<QLine> rules;

    // nullptr when the layout has no label of that name.
    const ReportLabel* label(const QString& labelName) const;
};

// The loading worksheet's report ("LOADPORT DRAFT SURVEY REPORT").
const ReportLayout& drptCalvane();
// The discharging worksheet's report ("DISCHARGE PORT DRAFT SURVEY REPORT").
const ReportLayout& drptDSDispatch();
const ReportLayout& reportLayout(Worksheet worksheet);

// The survey table row a deductible item is printed in: the part of the
// value labels' names after lblInit / lblFin ("FO" for item 2). Empty for
// an item the report does not print.
QString deductionRow(int itemID);

// The printed area's size and its place on an A4 sheet, in twips.
constexpr int reportWidth = 9900;
constexpr int reportHeight = 14400;
constexpr QPoint reportOrigin{1003, 1080};
constexpr QSize a4Twips{11906, 16838};
