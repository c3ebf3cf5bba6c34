#include "decimal.h"
#include "errors.h"
#include "json_duplicate_key.h"
#include "printable_text.h"
#include "survey_file.h"
#include "survey_file_layout.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTime>
#include <algorithm>
#include <limits>

using namespace SurveyFileLayout;

namespace {

// Thrown at the first bad field; parseSurvey turns it into the error line, so
// no half-read document ever leaves the reader.
struct Refusal {
    QString message;
};

// Keys and values quoted from the file may hold line breaks; the message is
// one line.
[[noreturn]] void refuse(const QString& path, const QString& reason) {
    throw Refusal{(path + QStringLiteral(": ") + reason).simplified()};
}

// Whether a measured value may be "" or left out.
enum class Blank { Refused, Allowed };

// Numeric text whose whole part does not fit a decimal, as against text
// that is no number at all.
bool isTooLarge(const QString& text) {
    try {
        Decimal::fromText(text);
    } catch (const ProgramError& error) {
        return error.code() == ErrorCode::Overflow;
    }
    return false;
}

QString measuredText(const QJsonValue& value, const QString& path, Blank blank) {
    if (value.isDouble())
        refuse(path, QStringLiteral(
                         "a measured value must be a string of decimal text, not a JSON number"));
    if (!value.isString())
        refuse(path, QStringLiteral("a measured value must be a string of decimal text"));
    const QString text = value.toString().trimmed();
    if (text.isEmpty()) {
        if (blank == Blank::Refused)
            refuse(path, QStringLiteral("must not be blank"));
        return text;
    }
    // No measured value takes a hundred characters; reading a megabyte of
    // digits as a number would only hold the program up.
    if (text.size() > 100)
        refuse(path, quotedValue(text) + QStringLiteral(" is too long for a measured value"));
    if (!isNumericText(text))
        refuse(path, quotedValue(text) + (isTooLarge(text)
                                              ? QStringLiteral(" is too large to calculate with")
                                              : QStringLiteral(" is not a number")));
    return text;
}

// One object of the file with its JSON path, for the messages.
class Object {
public:
    Object(const QJsonValue& value, const QString& path) : m_json(value.toObject()), m_path(path) {
        if (!value.isObject())
            refuse(path, QStringLiteral("must be an object"));
    }

    // Checked before any value is read, so that a misspelt key is named
    // rather than reported as a missing one.
    void allowOnly(const QStringList& keys) const {
        for (const QString& key : m_json.keys()) {
            if (!keys.contains(key))
                refuse(pathOf(key), QStringLiteral("unknown key"));
        }
    }

    bool has(const char* key) const { return m_json.contains(QLatin1String(key)); }
    const QString& path() const { return m_path; }
    QString pathOf(const QString& key) const {
        return m_path.isEmpty() ? key : m_path + QLatin1Char('.') + key;
    }
    QString pathOf(const char* key) const { return pathOf(QString::fromLatin1(key)); }
    const QJsonObject& json() const { return m_json; }

    QJsonValue required(const char* key) const {
        const QJsonValue value = m_json.value(QLatin1String(key));
        if (value.isUndefined())
            refuse(pathOf(key), QStringLiteral("missing"));
        return value;
    }

    Object object(const char* key) const { return Object(required(key), pathOf(key)); }

    QString measured(const char* key, Blank blank) const {
        if (blank == Blank::Allowed && !has(key))
            return QString();
        return measuredText(required(key), pathOf(key), blank);
    }

    // A free text; "" when left out.
    QString text(const char* key) const {
        const QJsonValue value = m_json.value(QLatin1String(key));
        if (value.isUndefined())
            return QString();
        if (!value.isString())
            refuse(pathOf(key), QStringLiteral("must be a string"));
        return value.toString();
    }

    QString requiredText(const char* key) const {
        required(key);
        const QString value = text(key);
        if (value.trimmed().isEmpty())
            refuse(pathOf(key), QStringLiteral("must not be blank"));
        return value;
    }

private:
    QJsonObject m_json;
    QString m_path;
};

template <typename Target, std::size_t N>
void readValues(const Object& object, const Field<Target> (&fields)[N], Blank blank,
                Target& target) {
    object.allowOnly(keysOf(fields));
    for (const auto& field : fields)
        target.*field.member = object.measured(field.key, blank);
}

// The text of a positive whole number without sign or leading zeros; 0 for
// anything else.
int itemId(const QString& key) {
    if (key.isEmpty() || key.size() > 9 || key.front() == QLatin1Char('0'))
        return 0;
    for (const QChar c : key) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    }
    return key.toInt();
}

QMap<int, QString> readDeductions(const Object& deductions) {
    QMap<int, QString> quantities;
    const QJsonObject& json = deductions.json();
    for (auto it = json.begin(); it != json.end(); ++it) {
        const QString path = deductions.pathOf(it.key());
        const int item = itemId(it.key());
        if (item == 0)
            refuse(path, QStringLiteral("a deductible item must be named by its item id, "
                                        "a positive whole number"));
        quantities.insert(item, measuredText(it.value(), path, Blank::Allowed));
    }
    return quantities;
}

QString readDate(const Object& draft, Blank blank) {
    if (blank == Blank::Allowed && draft.text("date").isEmpty())
        return QString();
    const QString text = draft.requiredText("date");
    if (!QDate::fromString(text, QStringLiteral("dd-MM-yyyy")).isValid())
        refuse(draft.pathOf("date"),
               quotedValue(text) + QStringLiteral(" is not a date written dd-MM-yyyy"));
    return text;
}

QString readTime(const Object& draft, Blank blank) {
    if (blank == Blank::Allowed && draft.text("time").isEmpty())
        return QString();
    const QString text = draft.requiredText("time");
    if (!QTime::fromString(text, QStringLiteral("HH:mm")).isValid())
        refuse(draft.pathOf("time"),
               quotedValue(text) + QStringLiteral(" is not a time written HH:mm"));
    return text;
}

TableUse readTableUse(const Object& table) {
    table.allowOnly({QStringLiteral("id"), QStringLiteral("source"), QStringLiteral("density")});
    const QJsonValue id = table.required("id");
    if (!id.isDouble() || id.toInteger(-1) < 1)
        refuse(table.pathOf("id"), QStringLiteral("must be a table's key"));
    TableUse use;
    use.id = id.toInteger();
    use.source = table.text("source");
    use.density = table.measured("density", Blank::Refused);
    if (Decimal::fromText(use.density).sign() <= 0)
        refuse(table.pathOf("density"), QStringLiteral("must be greater than 0"));
    return use;
}

// `blank` is Allowed where a draft may be partly taken.
DraftEntry readDraft(const Object& draft, Blank blank) {
    draft.allowOnly({QStringLiteral("date"), QStringLiteral("time"), QStringLiteral("density"),
                     QStringLiteral("readings"), QStringLiteral("markDistances"),
                     QStringLiteral("hydrostatics"), QStringLiteral("mctc"),
                     QStringLiteral("deductions"), QStringLiteral("comments"),
                     QStringLiteral("table")});
    DraftEntry entry;
    entry.date = readDate(draft, blank);
    entry.time = readTime(draft, blank);
    entry.density = draft.measured("density", blank);
    readValues(draft.object("readings"), readings, blank, entry);
    if (draft.has("markDistances"))
        readValues(draft.object("markDistances"), markDistances, Blank::Allowed, entry);

    // Both left out: the rows are to come from the ship's hydrostatic table.
    if (draft.has("hydrostatics") || draft.has("mctc")) {
        const Object lines = draft.object("hydrostatics");
        lines.allowOnly(keysOf(hydrostaticLines));
        for (const auto& line : hydrostaticLines)
            readValues(lines.object(line.key), hydrostaticValues, blank, entry.*line.member);

        const Object mctc = draft.object("mctc");
        mctc.allowOnly({QStringLiteral("plus50"), QStringLiteral("minus50")});
        readValues(mctc.object("plus50"), mctcPlus50, blank, entry);
        readValues(mctc.object("minus50"), mctcMinus50, blank, entry);
    }

    if (draft.has("deductions"))
        entry.deductions = readDeductions(draft.object("deductions"));
    entry.comments = draft.text("comments");
    if (draft.has("table"))
        entry.table = readTableUse(draft.object("table"));
    return entry;
}

// `both`: the key may come with the particulars it had when the file was
// written.
void readShip(const Object& ship, bool both, SurveyDocument& document) {
    ship.allowOnly({QStringLiteral("shipId"), QStringLiteral("particulars")});
    const bool key = ship.has("shipId");
    const bool inlined = ship.has("particulars");
    if ((!key && !inlined) || (!both && key && inlined))
        refuse(ship.path(), QStringLiteral("give either \"shipId\" or \"particulars\""));
    if (ship.has("shipId")) {
        // An identifier, not a measurement: a JSON number is right here.
        const qint64 id = ship.required("shipId").toInteger(0);
        if (id < 1 || id > std::numeric_limits<int>::max())
            refuse(ship.pathOf("shipId"), QStringLiteral("must be a positive whole number"));
        document.shipID = int(id);
        if (!inlined)
            return;
    }
    const Object particulars = ship.object("particulars");
    particulars.allowOnly(
        {QStringLiteral("name"), QStringLiteral("lbp"), QStringLiteral("lightShip")});
    document.particulars = ShipParticulars{particulars.requiredText("name"),
                                           particulars.measured("lbp", Blank::Refused),
                                           particulars.measured("lightShip", Blank::Refused)};
}

Worksheet readWorksheet(const Object& root) {
    const QString name = root.requiredText("worksheet");
    for (const Worksheet worksheet : {Worksheet::Loading, Worksheet::Discharging}) {
        if (name == QLatin1String(worksheetName(worksheet)))
            return worksheet;
    }
    refuse(QStringLiteral("worksheet"), QStringLiteral("must be \"loading\" or \"discharging\""));
}

// Format and version come before anything else: another program's JSON, or a
// later version with keys of its own, is named as such and not picked apart.
// Returns the file's version.
qint64 checkFormat(const Object& root) {
    if (root.json().value(QLatin1String("format")).toString() != QLatin1String(formatName))
        refuse(QStringLiteral("format"), QStringLiteral("not a Calvane Lt survey file"));
    const qint64 fileVersion = root.required("version").toInteger(0);
    if (fileVersion < 1)
        refuse(QStringLiteral("version"), QStringLiteral("must be a positive whole number"));
    if (fileVersion > version)
        refuse(QStringLiteral("version"),
               QStringLiteral("%1 is newer than this program reads").arg(fileVersion));
    return fileVersion;
}

SurveyDocument readDocument(const Object& root) {
    const bool partial = checkFormat(root) >= partialVersion;
    const Blank draftBlanks = partial ? Blank::Allowed : Blank::Refused;
    root.allowOnly({QStringLiteral("format"), QStringLiteral("version"),
                    QStringLiteral("worksheet"), QStringLiteral("ship"), QStringLiteral("port"),
                    QStringLiteral("voyage"), QStringLiteral("cargo"),
                    QStringLiteral("billOfLadingQuantity"), QStringLiteral("initial"),
                    QStringLiteral("final"), QStringLiteral("typedInitialNetDisplacement"),
                    QStringLiteral("surveyParticulars")});
    SurveyDocument document;
    document.worksheet = readWorksheet(root);
    readShip(root.object("ship"), partial, document);
    document.port = root.text("port");
    document.voyage = root.text("voyage");
    document.cargo = root.text("cargo");
    document.billOfLadingQuantity = root.measured("billOfLadingQuantity", Blank::Allowed);
    if (root.has("initial"))
        document.initial = readDraft(root.object("initial"), draftBlanks);
    if (root.has("final"))
        document.final = readDraft(root.object("final"), draftBlanks);
    document.typedInitialNetDisplacement =
        root.measured("typedInitialNetDisplacement", Blank::Allowed);
    if (root.has("surveyParticulars")) {
        const Object particulars = root.object("surveyParticulars");
        particulars.allowOnly(keysOf(surveyParticulars));
        for (const auto& field : surveyParticulars)
            document.surveyParticulars.*field.member = particulars.text(field.key);
    }
    return document;
}

} // namespace

SurveyFileResult parseSurvey(const QByteArray& json) {
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {std::nullopt, QStringLiteral("file: not JSON (%1 at offset %2)")
                                  .arg(parseError.errorString())
                                  .arg(parseError.offset)};
    if (!parsed.isObject())
        return {std::nullopt, QStringLiteral("file: the top level must be a JSON object")};
    if (const QString repeated = duplicateKeyPath(json); !repeated.isEmpty())
        return {std::nullopt, repeated + QStringLiteral(": the key is given twice")};
    try {
        return {readDocument(Object(parsed.object(), QString())), QString()};
    } catch (const Refusal& refusal) {
        return {std::nullopt, refusal.message};
    }
}

SurveyFileResult readSurveyFile(const QString& path) {
    const QFileInfo info(path);
    const auto refused = [](const char* reason) {
        return SurveyFileResult{std::nullopt, QStringLiteral("file: ") + QLatin1String(reason)};
    };
    if (!info.exists())
        return refused("not found");
    if (info.isDir())
        return refused("a folder, not a survey file");
    // A device or a pipe may never end.
    if (!info.isFile())
        return refused("not a regular file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("file: ") + file.errorString()};
    // Read one byte past the limit, so a file still growing is caught too.
    const QByteArray json = file.read(maxSurveyFileBytes + 1);
    if (json.size() > maxSurveyFileBytes)
        return refused("larger than 4 MB, too large for a survey file");
    return parseSurvey(json);
}

bool isComplete(const DraftEntry& entry) {
    QStringList values{entry.date,
                       entry.time,
                       entry.density,
                       entry.mctcPlus50Below,
                       entry.mctcPlus50Above,
                       entry.mctcMinus50Below,
                       entry.mctcMinus50Above};
    for (const auto& field : readings)
        values << entry.*field.member;
    for (const auto& line : hydrostaticLines) {
        for (const auto& field : hydrostaticValues)
            values << entry.*line.member.*field.member;
    }
    return std::none_of(values.cbegin(), values.cend(),
                        [](const QString& value) { return value.trimmed().isEmpty(); });
}
