// A real ship's table: a 1 cm table whose rows at the samples' drafts are
// the rows typed in the samples. Taking the rows from it instead of typing
// them gives exactly the samples' figures.
#include "connection.h"
#include "create_database.h"
#include "register.h"
#include "survey_command.h"
#include "survey_file.h"
#include "survey_printout.h"
#include "table_rows.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Known = QMap<QString, Decimal>; // exact draft text -> figure

Decimal dec(const QString& text) {
    return Decimal::fromText(text);
}

QString key(const Decimal& draft) {
    return draft.toString();
}

// The figure at `draft`: a known one, else straight between the known
// figures round it (the nearest known one beyond them).
std::optional<Decimal> between(const Known& known, const Decimal& draft) {
    std::optional<std::pair<Decimal, Decimal>> lower, upper;
    for (auto at = known.cbegin(); at != known.cend(); ++at) {
        const Decimal d = dec(at.key());
        if (d == draft)
            return at.value();
        if (d < draft && (!lower || d > lower->first))
            lower = std::pair(d, at.value());
        if (d > draft && (!upper || d < upper->first))
            upper = std::pair(d, at.value());
    }
    if (!lower || !upper)
        return lower ? lower->second : upper ? std::optional(upper->second) : std::nullopt;
    return (lower->second + (draft - lower->first) * (upper->second - lower->second) /
                                (upper->first - lower->first))
        .rounded(3);
}

ShipTable tableThrough(const SurveyDocument& survey) {
    Known columns[tableColumnCount];
    const Decimal half = Decimal::fromText(u"0.5");
    for (const DraftEntry* entry : {&survey.initial, &survey.final}) {
        for (const HydrostaticLine* line : {&entry->below, &entry->above}) {
            const QString d = key(dec(line->draft));
            columns[int(TableColumn::Displacement)][d] = dec(line->displacement);
            columns[int(TableColumn::TPC)][d] = dec(line->tpc);
            columns[int(TableColumn::LCF)][d] = dec(line->lcf);
        }
        Known& mctc = columns[int(TableColumn::MCTC)];
        mctc[key(dec(entry->below.draft) + half)] = dec(entry->mctcPlus50Below);
        mctc[key(dec(entry->above.draft) + half)] = dec(entry->mctcPlus50Above);
        mctc[key(dec(entry->below.draft) - half)] = dec(entry->mctcMinus50Below);
        mctc[key(dec(entry->above.draft) - half)] = dec(entry->mctcMinus50Above);
    }
    Decimal lowest = dec(survey.initial.below.draft), highest = lowest;
    for (const Known& column : columns) {
        for (const QString& draft : column.keys()) {
            lowest = std::min(lowest, dec(draft));
            highest = std::max(highest, dec(draft));
        }
    }
    ShipTable table;
    const Decimal step = Decimal::fromText(u"0.01");
    for (Decimal draft = lowest - step; draft <= highest + step; draft = draft + step) {
        TableRow row;
        row[TableColumn::Draft] = draft;
        for (int c = 1; c <= int(TableColumn::MCTC); ++c)
            row.values[size_t(c)] = between(columns[c], draft);
        table.rows.append(row);
    }
    return table;
}

// The entry with its hydrostatic rows taken from the table at the true
// mean draft its readings give.
DraftEntry fromTable(DraftEntry entry, const ShipTable& table, const QString& lbp) {
    entry.below = entry.above = HydrostaticLine{};
    entry.mctcPlus50Below = entry.mctcPlus50Above = QString();
    entry.mctcMinus50Below = entry.mctcMinus50Above = QString();
    QString said;
    if (!hydrostaticsBlank(entry) || !takeRowsFromTable(entry, table, dec(lbp), said))
        qFatal("%s", qPrintable(said));
    return entry;
}

// The calculated figures, with the typed texts the output echoes written
// the way a table writes them.
QByteArray figures(const SurveyDocument& survey) {
    SurveyCalculation calculation(survey);
    const QString refused = calculation.run();
    if (!refused.isEmpty())
        qFatal("%s", qPrintable(refused));
    return surveyAsJson(survey, calculation, calculation.warnings());
}

// The typed texts as a table writes the same figures ("1110.0": "1110").
DraftEntry normalised(DraftEntry entry) {
    for (QString* text : {&entry.below.draft, &entry.below.displacement, &entry.below.tpc,
                          &entry.below.lcf, &entry.above.draft, &entry.above.displacement,
                          &entry.above.tpc, &entry.above.lcf, &entry.mctcPlus50Below,
                          &entry.mctcPlus50Above, &entry.mctcMinus50Below, &entry.mctcMinus50Above})
        *text = dec(*text).toString();
    return entry;
}

QString computed(const QString& file, const QString& database) {
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int status = runSurveyCommand({QStringLiteral("compute"), QStringLiteral("--json"),
                                         QStringLiteral("--database"), database, file},
                                        outStream, errStream);
    outStream.flush();
    errStream.flush();
    return QString::number(status) + QLatin1Char('\n') + err + out;
}

// The survey file without its hydrostatic rows and MCTC figures.
QString withoutRows(const QString& sample, const QString& folder) {
    QFile in(sample);
    in.open(QIODevice::ReadOnly);
    QJsonObject survey = QJsonDocument::fromJson(in.readAll()).object();
    for (const QString& stage : {QStringLiteral("initial"), QStringLiteral("final")}) {
        QJsonObject draft = survey.value(stage).toObject();
        draft.remove(QStringLiteral("hydrostatics"));
        draft.remove(QStringLiteral("mctc"));
        survey.insert(stage, draft);
    }
    const QString path = folder + QStringLiteral("/without-rows.json");
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(QJsonDocument(survey).toJson());
    return path;
}

} // namespace

class TestTableSurveys : public QObject {
    Q_OBJECT

private slots:
    void samplesFromTheirTable_data() {
        QTest::addColumn<QString>("sample");
        QTest::newRow("loading") << "loading-survey.json";
        QTest::newRow("discharging") << "discharging-survey.json";
    }
    void samplesFromTheirTable() {
        QFETCH(QString, sample);
        const SurveyFileResult read = readSurveyFile(QStringLiteral(SAMPLES_DIR "/") + sample);
        QVERIFY2(read.document, qPrintable(read.error));
        SurveyDocument typed = *read.document;
        typed.initial = normalised(typed.initial);
        typed.final = normalised(typed.final);
        const ShipTable table = tableThrough(typed);
        SurveyDocument taken = typed;
        taken.initial = fromTable(typed.initial, table, typed.particulars->lbp);
        taken.final = fromTable(typed.final, table, typed.particulars->lbp);
        for (DraftEntry* entry : {&taken.initial, &taken.final}) {
            QVERIFY(entry->table == tableUse(table));
            entry->table.reset();
        }
        QVERIFY(taken.initial == typed.initial);
        QVERIFY(taken.final == typed.final);
        QCOMPARE(figures(taken), figures(typed));
    }

    // A table computed for fresh water gives displacements in fresh water:
    // the density correction goes from the table's density, not 1.025.
    void densityOfTheTable() {
        const SurveyFileResult read =
            readSurveyFile(QStringLiteral(SAMPLES_DIR "/loading-survey.json"));
        QVERIFY2(read.document, qPrintable(read.error));
        SurveyDocument survey = *read.document;
        survey.final.table =
            TableUse{1, QStringLiteral("Fresh water tables"), QStringLiteral("1.000")};
        SurveyCalculation calculation(survey);
        QCOMPARE(calculation.run(), QString());
        const QList<Variant> results = calculation.draft(Stage::Final).FinalResult();
        const Decimal evenKeel = results[DisplacementAtEvenKeel].toDecimal();
        QCOMPARE(results[TrueDisplacement].toDecimal(), evenKeel * dec(survey.final.density));
        const QList<Variant> typed = calculation.draft(Stage::Initial).FinalResult();
        QCOMPARE(typed[TrueDisplacement].toDecimal(), typed[DisplacementAtEvenKeel].toDecimal() *
                                                          dec(survey.initial.density) /
                                                          Decimal::fromText(u"1.025"));
    }

    // The command takes the rows a file leaves out from its stored ship's
    // table, and gives the figures of the rows typed.
    void commandTakesTheStoredTable() {
        const QString sample = QStringLiteral(SAMPLES_DIR "/loading-survey-stored-ship.json");
        const SurveyFileResult read = readSurveyFile(sample);
        QVERIFY2(read.document, qPrintable(read.error));
        QTemporaryDir folder;
        const QString database = databaseFileIn(folder.path());
        createDatabase(database);
        const QString typed = computed(sample, database);
        QVERIFY2(typed.startsWith(QStringLiteral("0\n")), qPrintable(typed));
        const QString blank = withoutRows(sample, folder.path());
        // Without a table the command says which row is missing.
        QVERIFY(computed(blank, database).startsWith(QStringLiteral("1\n")));
        {
            CommandRegister shared;
            shared.open(database);
            ShipTable table = tableThrough(*read.document);
            table.shipID = *read.document->shipID;
            Register(*gcnnStore).insertShipTable(table);
        }
        QCOMPARE(computed(blank, database), typed);
    }
};

QTEST_GUILESS_MAIN(TestTableSurveys)
#include "test_table_surveys.moc"
