#pragma once

#include "report_source.h"

// A report source with a ship and both columns, each of which a test
// changes as it needs.
inline ReportColumn reportColumn(const QString& net) {
    ReportColumn column;
    column.values = {
        {DraftProperty::DSDate, QStringLiteral("12-07-2024")},
        {DraftProperty::DSTime, QStringLiteral("06:30")},
        {DraftProperty::SpecificGravity, Decimal::fromText(u"1.024")},
        {DraftProperty::FwdMean, Decimal::fromText(u"5.2")},
        {DraftProperty::AftMean, Decimal::fromText(u"6.8")},
        {DraftProperty::MidMean, Decimal::fromText(u"6")},
        {DraftProperty::MidPort, Decimal::fromText(u"5.97")},
        {DraftProperty::MidStbd, Decimal::fromText(u"6.03")},
    };
    column.finalResult = QList<Variant>(12, Variant(0));
    column.finalResult[NetDisplacementRow] = Decimal::fromText(net);
    column.interpolated = QList<Variant>(5, Variant(0));
    return column;
}

inline ReportSource reportSource(Worksheet worksheet) {
    ReportSource source;
    source.worksheet = worksheet;
    source.ship.name = QStringLiteral("Coral Meridian");
    source.ship.lightShip = QStringLiteral("10800");
    source.port = QStringLiteral("Port Hedland, Australia");
    source.texts = {QStringLiteral("-2.5"), QStringLiteral("0.35"),    QStringLiteral("217"),
                    QStringLiteral("4.2"),  QStringLiteral("CM-2407"), QStringLiteral("Iron ore")};
    source.initial = reportColumn(QStringLiteral("36250.5"));
    source.final = reportColumn(QStringLiteral("6250.12345"));
    source.initialNetDisplacement = QStringLiteral("36250.5");
    return source;
}
