#include "register_generator.h"

#include "errors.h"
#include "register.h"

#include <QSet>
#include <QSqlError>
#include <QStringList>
#include <algorithm>

namespace {

// splitmix64: the same sequence on every platform and library, which the
// standard distributions do not promise.
class Random {
public:
    explicit Random(quint64 seed) : m_state(seed) {}

    quint64 next() {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A whole number from low to high, both included.
    qint64 between(qint64 low, qint64 high) {
        return low + qint64(next() % quint64(high - low + 1));
    }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename T, size_t N> const T& pick(const T (&items)[N]) {
        return items[between(0, N - 1)];
    }

private:
    quint64 m_state;
};

const char* const Countries[] = {
    "Australia", "Brazil",    "Canada",   "Chile",   "China",       "Denmark",      "Egypt",
    "France",    "Germany",   "Greece",   "India",   "Indonesia",   "Italy",        "Japan",
    "Kenya",     "Korea",     "Malaysia", "Mexico",  "Morocco",     "Netherlands",  "Nigeria",
    "Norway",    "Oman",      "Panama",   "Peru",    "Philippines", "Poland",       "Portugal",
    "Qatar",     "Singapore", "Spain",    "Sweden",  "Thailand",    "Turkey",       "Liberia",
    "Malta",     "Vietnam",   "Cyprus",   "Bahamas", "Ireland",     "South Africa", "Sri Lanka",
};
const char* const Onsets[] = {"B",  "C",  "D",  "F",  "G",  "H",  "K",  "L",  "M",
                              "N",  "P",  "R",  "S",  "T",  "V",  "Z",  "Br", "Ch",
                              "Gr", "Kr", "St", "Tr", "Sh", "Pl", "Qu", "Al", "El"};
const char* const Vowels[] = {"a", "e", "i", "o", "u", "ai", "ea", "ou", "ia"};
const char* const Codas[] = {"n", "r", "l", "s", "t", "m", "nd", "rt", "ll", "ss", "", ""};
const char* const PortPrefixes[] = {"Port ", "San ", "Puerto ", "Saint ", "New ", "Porto "};
const char* const PortSuffixes[] = {" Bay", " Harbour", " Roads", " Point", " Sound", " Haven"};
const char* const Adjectives[] = {
    "Coral", "Golden", "Silver",  "Northern", "Southern", "Eastern",  "Western", "Ocean",
    "Royal", "Blue",   "Crimson", "Emerald",  "Pacific",  "Atlantic", "Arctic",  "Bright",
    "Grand", "Noble",  "Swift",   "Star",     "Polar",    "Morning",  "Evening", "Iron",
    "Amber", "Jade",   "Lucky",   "Brave",    "Gentle",   "Proud",    "Sea",     "Sun",
};
const char* const Nouns[] = {
    "Meridian", "Pioneer",   "Voyager", "Trader",  "Spirit",  "Venture", "Horizon",  "Navigator",
    "Carrier",  "Express",   "Glory",   "Harmony", "Fortune", "Dawn",    "Wave",     "Breeze",
    "Eagle",    "Falcon",    "Dolphin", "Mariner", "Crest",   "Lotus",   "Phoenix",  "Pearl",
    "Explorer", "Endeavour", "Unity",   "Wind",    "Majesty", "Ranger",  "Champion", "Legend",
};
const char* const Possessives[] = {"Captain's Pride", "O'Brien's Pride", "King's Bay",
                                   "Queen's Grace",   "Master's Luck",   "Pilot's Joy"};
const char* const Numerals[] = {" I", " II", " III", " IV", " V", " VI", " VII", " VIII"};

QString latin1(const char* text) {
    return QString::fromLatin1(text);
}

QString syllableName(Random& random) {
    QString name;
    const qint64 syllables = random.between(2, 3);
    for (qint64 i = 0; i < syllables; ++i)
        name += latin1(random.pick(Onsets)).toLower() + latin1(random.pick(Vowels));
    name += latin1(random.pick(Codas));
    name[0] = name[0].toUpper();
    return name;
}

QString portName(Random& random, const QString& place) {
    if (random.chance(20))
        return latin1(random.pick(PortPrefixes)) + place;
    if (random.chance(15))
        return place + latin1(random.pick(PortSuffixes));
    return place;
}

// A number with a fixed count of places from a whole count of its smallest
// unit (21735 at 2 places is 217.35), as the store keeps exact decimals.
Decimal fixed(qint64 units, int places) {
    QString digits = QString::number(units).rightJustified(places + 1, QLatin1Char('0'));
    digits.insert(digits.size() - places, QLatin1Char('.'));
    return Decimal::fromText(digits);
}

// Seven digits whose last is the check digit the IMO scheme prescribes.
qint64 imoNumber(Random& random) {
    const qint64 body = random.between(900000, 999999);
    qint64 sum = 0;
    qint64 rest = body;
    for (int weight = 2; weight <= 7; ++weight, rest /= 10)
        sum += (rest % 10) * weight;
    return body * 10 + sum % 10;
}

QString callSign(Random& random) {
    QString sign;
    for (int i = 0; i < 4; ++i)
        sign += QChar(QLatin1Char(char('A' + random.between(0, 25))));
    return sign;
}

// Unique port names; returns each port's key with the place it names.
QList<std::pair<qint64, QString>> insertPorts(RegisterFiller& filler, int count, Random& random) {
    QSet<QString> taken;
    QList<std::pair<qint64, QString>> ports;
    while (ports.size() < count) {
        const QString place = syllableName(random);
        const QString name = portName(random, place);
        if (taken.contains(name))
            continue;
        taken.insert(name);
        ports.append({filler.insertPort({0, name, place, latin1(random.pick(Countries))}), place});
    }
    return ports;
}

QString shipName(Random& random, const QList<std::pair<qint64, QString>>& ports,
                 const QStringList& earlier) {
    // Sister ships and re-registered ships share names.
    if (!earlier.isEmpty() && random.chance(2))
        return earlier.at(random.between(0, earlier.size() - 1));
    if (random.chance(1))
        return latin1(random.pick(Possessives));
    QString name = random.chance(40) ? ports.at(random.between(0, ports.size() - 1)).second +
                                           QLatin1Char(' ') + latin1(random.pick(Nouns))
                                     : latin1(random.pick(Adjectives)) + QLatin1Char(' ') +
                                           latin1(random.pick(Nouns));
    if (random.chance(30))
        name += latin1(random.pick(Numerals));
    return name;
}

// A table from 2 m up, 1 cm a row, its figures rising as a hull of that
// length's do.
ShipTable tableFor(qint64 shipID, qint64 lbpCm, int rows) {
    ShipTable table;
    table.shipID = int(shipID);
    table.declaration.source = QStringLiteral("Generated hydrostatic tables");
    const qint64 tpcCenti = lbpCm * lbpCm / 75000;
    for (int row = 0; row < rows; ++row) {
        const qint64 draftCm = 200 + row;
        TableRow line;
        line[TableColumn::Draft] = fixed(draftCm, 2);
        line[TableColumn::Displacement] = fixed(tpcCenti * draftCm + draftCm * draftCm / 3, 2);
        line[TableColumn::TPC] = fixed(tpcCenti + draftCm / 3, 2);
        // Forward of amidships (negative) as the hull fills.
        line[TableColumn::LCF] = Decimal::fromWhole(lbpCm / 50 - draftCm / 10) / Decimal(1000);
        line[TableColumn::MCTC] = fixed(tpcCenti * lbpCm / 1200 + draftCm * 4, 2);
        table.rows.append(line);
    }
    return table;
}

void insertShips(RegisterFiller& filler, RegisterSize size,
                 const QList<std::pair<qint64, QString>>& ports, Random& random) {
    QStringList names;
    const int tableEvery = size.tables > 0 ? std::max(1, size.ships / size.tables) : 0;
    for (int n = 0; n < size.ships; ++n) {
        const QString name = shipName(random, ports, names);
        names.append(name);
        // Proportions of real hulls, from the length between perpendiculars.
        const qint64 lbpCm = random.between(6000, 33000);
        const qint64 deadweightKg =
            lbpCm * lbpCm * lbpCm / 1000 * 74 / 10000 * random.between(85, 115) / 100;
        const qint64 grossDeciTons = deadweightKg / 100 * random.between(45, 65) / 100;
        ShipRecord ship;
        ship.name = name;
        ship.lbp = fixed(lbpCm, 2);
        ship.loa = fixed(lbpCm + random.between(200, 2000), 2);
        ship.breadth = fixed(lbpCm * 100 / 65 + random.between(-1500, 1500), 3);
        ship.lightShip = fixed(deadweightKg * 10 * random.between(12, 22) / 100, 4);
        ship.callSign = callSign(random);
        ship.portOfRegistry = ports.at(random.between(0, ports.size() - 1)).first;
        if (random.chance(90))
            ship.officialNo = Decimal::fromWhole(random.between(100000, 9999999));
        ship.imoNo = Decimal::fromWhole(imoNumber(random));
        ship.flag = latin1(random.pick(Countries));
        ship.grossTonnage = fixed(grossDeciTons, 1);
        ship.netTonnage = fixed(grossDeciTons * random.between(50, 70) / 100, 1);
        ship.summerDraft = fixed(lbpCm * 100 / 17 + random.between(-2000, 2000), 4);
        ship.summerDeadweight = fixed(deadweightKg, 3);
        const qint64 id = filler.insertShip(ship);
        if (tableEvery > 0 && n % tableEvery == 0)
            filler.insertShipTable(tableFor(id, lbpCm, size.tableRows));
    }
}

} // namespace

void fillRegister(const QSqlDatabase& database, RegisterSize size, quint64 seed) {
    QSqlDatabase db = database;
    if (!db.transaction())
        throw ProgramError::storeFailure(db.lastError().text());
    try {
        Random random(seed);
        RegisterFiller filler(db);
        const auto ports = insertPorts(filler, size.ports, random);
        insertShips(filler, size, ports, random);
    } catch (const ProgramError&) {
        db.rollback();
        throw;
    }
    if (!db.commit())
        throw ProgramError::storeFailure(db.lastError().text());
}
