#include "shipped_data.h"

#include "statement.h"

namespace {

void insertDeductionItems(const QSqlDatabase& database) {
    for (const DeductionItem& item : shippedDeductionItems())
        runStatement(database,
                     QStringLiteral("INSERT INTO DeductionMaster (ItemID, ItemName) VALUES (?, ?)"),
                     {item.id, item.name});
}

void insertTips(const QSqlDatabase& database) {
    const char* const tips[] = {
        "Read the draft marks on both sides of the ship, forward, midships and aft. The mean "
        "of port and starboard removes the effect of a list.",
        "Read the marks from as close to the water as you safely can, at eye level from a boat "
        "or a pilot ladder. A mark read from high on the quay looks deeper or shallower than "
        "it is.",
        "In a swell or a passing wash, watch the water at each mark for several waves and take "
        "the mean of the crests and the troughs, not a single glance.",
        "Sound every ballast tank, also those reported empty or full, and correct each sounding "
        "for trim and list before you look it up in the tank tables.",
        "Take water samples for density at several depths amidships on the offshore side, away "
        "from discharge outlets, and use the mean of the readings.",
        "Compare the midships mean with the mean of the forward and aft means: the difference "
        "is the hog or sag of the hull, and the mean of means allows for it.",
        "Check which water density the ship's hydrostatic table is drawn up for, usually 1.025, "
        "before you apply the density correction.",
        "Check on the ship's drawings where each set of draft marks lies from its "
        "perpendicular. A distance with the wrong sign moves the corrected draft the wrong "
        "way.",
        "Ask for ballast operations and bunkering to stop while you read the marks and sound "
        "the tanks; the two readings must describe the same moment.",
        "Sound the fuel, diesel and fresh water tanks at the time of the draft reading, not "
        "from the morning figures, and note the lube oil from the engine room's soundings.",
        "Use the same tank tables, hydrometer and method for the initial and the final survey, "
        "so that their errors cancel in the cargo figure.",
        "Let the hydrometer float freely in a sample sheltered from the wind and read it at the "
        "water surface; a wet stem or a draught of air gives a false figure.",
        "A ship's constant that changes much from one survey to the next usually points to an "
        "unsounded tank, a misread mark or a wrong density.",
        "Note the weather, the sea state and the time of every reading on the worksheet. They "
        "explain differences that come to light later.",
    };
    for (const char* tip : tips)
        runStatement(database, QStringLiteral("INSERT INTO TipOfDay (Tip) VALUES (?)"),
                     {QString::fromLatin1(tip)});
}

Variant number(const char* text) {
    return Variant(Decimal::fromText(QString::fromLatin1(text)));
}

// A Panamax bulk carrier to try the worksheets with; the name is invented.
void insertSamplePortAndShip(const QSqlDatabase& database) {
    QSqlQuery port = runStatement(
        database,
        QStringLiteral(
            "INSERT INTO Port (PortName, City, Country) VALUES (?, ?, ?) RETURNING PortID"),
        {QStringLiteral("Port Hedland"), QStringLiteral("Port Hedland"),
         QStringLiteral("Australia")});
    const qint64 portId = insertedKey(port).toLongLong();
    runStatement(
        database,
        QStringLiteral("INSERT INTO Ship (ShipName, LBP, LOA, Breadth, LightShip, CallSign, "
                       "PortOfRegistry, OfficialNo, IMONo, Flag, GrossTonnage, NetTonnage, "
                       "SummerDraft, SummerDeadweight, FwdX, MidX, AftX) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {QStringLiteral("Coral Meridian"), number("217"), number("225"), number("32.26"),
         number("10815"), QStringLiteral("VNCM"), portId, number("861452"), number("9387217"),
         QStringLiteral("Australia"), number("40485"), number("25840"), number("14.1"),
         number("76015"), number("2.5"), number("0"), number("4.2")});
}

} // namespace

// The report places each quantity on its fixed line by these identifiers.
QList<DeductionItem> shippedDeductionItems() {
    return {
        {2, QStringLiteral("Fuel Oil")},  {3, QStringLiteral("Diesel Oil")},
        {24, QStringLiteral("Lube Oil")}, {25, QStringLiteral("Fresh Water")},
        {26, QStringLiteral("Ballast")},  {27, QStringLiteral("Provisions")},
        {28, QStringLiteral("Misc-1")},   {29, QStringLiteral("Misc-2")},
    };
}

void insertShippedData(const QSqlDatabase& database) {
    insertDeductionItems(database);
    insertTips(database);
    insertSamplePortAndShip(database);
}
