// A ship's hydrostatic table: reading it from text, its audit, and the rows
// a survey takes from it. The table of a box-shaped barge 100 m by 20 m in
// salt water is exact by hand: displacement 2050 t a metre of draft, TPC
// 20.5, LCF 0; its MCTC is made to rise 3 a metre, so that a figure read
// between its rows is exact too.
#include "table_audit.h"
#include "table_edit.h"
#include "table_rows.h"
#include "table_text.h"

#include <QTest>

namespace {

Decimal dec(const char* text) {
    return Decimal::fromText(QString::fromLatin1(text));
}

TableRow bargeRow(const Decimal& draft) {
    TableRow row;
    row[TableColumn::Draft] = draft;
    row[TableColumn::Displacement] = draft * Decimal(2050);
    row[TableColumn::TPC] = dec("20.5");
    row[TableColumn::LCF] = Decimal(0);
    row[TableColumn::MCTC] = Decimal(170) + draft * Decimal(3);
    return row;
}

ShipTable barge(const char* from, const char* to, const char* step) {
    ShipTable table;
    for (Decimal draft = dec(from); draft <= dec(to); draft = draft + dec(step))
        table.rows.append(bargeRow(draft));
    return table;
}

QStringList texts(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* text : list)
        result.append(QString::fromUtf8(text));
    return result;
}

QList<int> linesFrom(int first, int count) {
    QList<int> lines;
    for (int n = 0; n < count; ++n)
        lines.append(first + n);
    return lines;
}

} // namespace

class TestShipTable : public QObject {
    Q_OBJECT

private slots:
    void bracketsTheDraft_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("draft");
        QTest::addColumn<QString>("below");
        QTest::addColumn<QString>("above");
        QTest::newRow("between, 1 cm") << "0.01"
                                       << "7.5732"
                                       << "7.57"
                                       << "7.58";
        QTest::newRow("between, 10 cm") << "0.1"
                                        << "7.5732"
                                        << "7.5"
                                        << "7.6";
        QTest::newRow("exact hit") << "0.1"
                                   << "7.5"
                                   << "7.5"
                                   << "7.6";
        QTest::newRow("lowest row") << "0.1"
                                    << "4"
                                    << "4"
                                    << "4.1";
        QTest::newRow("highest row") << "0.1"
                                     << "12"
                                     << "11.9"
                                     << "12";
        QTest::newRow("odd step") << "0.03"
                                  << "7.5732"
                                  << "7.57"
                                  << "7.6";
    }
    void bracketsTheDraft() {
        QFETCH(QString, step);
        QFETCH(QString, draft);
        QFETCH(QString, below);
        QFETCH(QString, above);
        const ShipTable table = barge("4", "12", qPrintable(step));
        const TableChoice choice = chooseRows(table, Decimal::fromText(draft));
        QVERIFY2(choice.rows, qPrintable(choice.said));
        QCOMPARE(choice.rows->below, bargeRow(Decimal::fromText(below)));
        QCOMPARE(choice.rows->above, bargeRow(Decimal::fromText(above)));
    }

    void readsTheMctcHalfAMetreOff_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("draft");
        QTest::addColumn<QString>("said");
        QTest::newRow("on the rows") << "0.1"
                                     << "7.5732"
                                     << "";
        QTest::newRow("between rows") << "0.3"
                                      << "7.5732"
                                      << "";
        QTest::newRow("+0.5 m off the table")
            << "0.1"
            << "11.6"
            << "The ship's table gives no MCTC at 12.1 m: type the MCTC rows.";
        QTest::newRow("-0.5 m off the table")
            << "0.1"
            << "4.3"
            << "The ship's table gives no MCTC at 3.8 m: type the MCTC rows.";
    }
    void readsTheMctcHalfAMetreOff() {
        QFETCH(QString, step);
        QFETCH(QString, draft);
        QFETCH(QString, said);
        const TableChoice choice =
            chooseRows(barge("4", "12", qPrintable(step)), Decimal::fromText(draft));
        QVERIFY(choice.rows);
        QCOMPARE(choice.said, said);
        QCOMPARE(choice.rows->hasMctc, said.isEmpty());
        if (!said.isEmpty())
            return;
        const ChosenRows& rows = *choice.rows;
        const auto mctc = [](const TableRow& row, const char* off) {
            return *bargeRow(*row[TableColumn::Draft] + dec(off))[TableColumn::MCTC];
        };
        QCOMPARE(rows.mctcPlus50Below, mctc(rows.below, "0.5"));
        QCOMPARE(rows.mctcPlus50Above, mctc(rows.above, "0.5"));
        QCOMPARE(rows.mctcMinus50Below, mctc(rows.below, "-0.5"));
        QCOMPARE(rows.mctcMinus50Above, mctc(rows.above, "-0.5"));
    }

    void neverReachesPastTheTable_data() {
        QTest::addColumn<QString>("draft");
        QTest::newRow("below") << "3.99";
        QTest::newRow("above") << "12.001";
    }
    void neverReachesPastTheTable() {
        QFETCH(QString, draft);
        const ShipTable table = barge("4", "12", "0.1");
        const TableChoice choice = chooseRows(table, Decimal::fromText(draft));
        QVERIFY(!choice.rows);
        QCOMPARE(choice.said, QStringLiteral("The true mean draft %1 m is outside the ship's "
                                             "table (4 m to 12 m): type the hydrostatic rows.")
                                  .arg(draft));
        QVERIFY(!figureAt(table, TableColumn::Displacement, Decimal::fromText(draft), 3));
    }

    void interpolatesExactly() {
        const ShipTable table = barge("4", "12", "0.1");
        QCOMPARE(*figureAt(table, TableColumn::Displacement, dec("7.5732"), 3), dec("15525.06"));
        QCOMPARE(*figureAt(table, TableColumn::MCTC, dec("7.5732"), 3), dec("192.72"));
        // Rounded half to even at the field's places.
        QCOMPARE(*figureAt(table, TableColumn::MCTC, dec("7.57005"), 3), dec("192.71"));
        ShipTable gappy = table;
        gappy.rows[36][TableColumn::TPC].reset();
        QVERIFY(!figureAt(gappy, TableColumn::TPC, dec("7.55"), 3));
        QCOMPARE(*figureAt(gappy, TableColumn::TPC, dec("7.5"), 3), dec("20.5"));
    }

    void audit_data() {
        QTest::addColumn<QList<TableRow>>("rows");
        QTest::addColumn<QStringList>("findings");
        QTest::addColumn<bool>("refused");
        const QList<TableRow> clean = barge("4", "5", "0.1").rows;
        QTest::newRow("clean") << clean << QStringList() << false;

        QList<TableRow> typo = clean;
        typo[5][TableColumn::Displacement] = dec("9245"); // 9225 typed wrong
        QTest::newRow("one figure typed wrong")
            << typo
            << texts({"Line 6: Displacement 9245 is out of line with the rows round it "
                      "(about 9225 would follow them)."})
            << false;

        QList<TableRow> swapped = clean;
        swapped.swapItemsAt(2, 3);
        QTest::newRow("out of order")
            << swapped << texts({"The rows were not in draft order; they are sorted by draft."})
            << false;

        QList<TableRow> twice = clean;
        twice.insert(4, clean[4]);
        QTest::newRow("draft twice")
            << twice << texts({"Line 6 gives the draft 4.4 m again (line 5)."}) << true;

        QList<TableRow> falling = clean;
        falling[7][TableColumn::Displacement] = dec("9900");
        QTest::newRow("displacement falls")
            << falling
            << texts({"Line 9: the displacement 9840 t does not rise above the row "
                      "before's 9900 t.",
                      "Line 8: Displacement 9900 is out of line with the rows round it "
                      "(about 9635 would follow them)."})
            << false;

        QList<TableRow> gap = clean;
        gap.removeAt(6);
        QTest::newRow("irregular step")
            << gap
            << texts({"Line 7: the draft steps 0.2 m from the row before; the table's "
                      "step is 0.1 m."})
            << false;

        QList<TableRow> noMctc = clean;
        for (TableRow& row : noMctc)
            row[TableColumn::MCTC].reset();
        noMctc[3][TableColumn::TPC].reset();
        QTest::newRow("missing column and figure")
            << noMctc
            << texts({"Line 4 gives no TPC.", "The table gives no MCTC: it is left to be typed."})
            << false;

        QTest::newRow("one row") << clean.mid(0, 1) << texts({"A table needs at least two rows."})
                                 << true;
    }
    void audit() {
        QFETCH(QList<TableRow>, rows);
        QFETCH(QStringList, findings);
        QFETCH(bool, refused);
        const TableAudit audit = auditTable(rows, linesFrom(1, int(rows.size())));
        QStringList said;
        for (const AuditFinding& finding : audit.findings)
            said.append(finding.text);
        QCOMPARE(said, findings);
        QCOMPARE(audit.refused(), refused);
        for (int k = 1; k < audit.rows.size(); ++k)
            QVERIFY(*audit.rows[k - 1][TableColumn::Draft] <= *audit.rows[k][TableColumn::Draft]);
    }

    void editsAFigureThroughTheAudit_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<TableColumn>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("draftOfRow");
        QTest::addColumn<bool>("earlierTypo");
        const auto row = [](const char* name, int at, TableColumn column, const char* text,
                            const char* refusal, QStringList said, const char* draft,
                            bool earlierTypo = false) {
            QTest::newRow(name) << at << column << QString::fromUtf8(text)
                                << QString::fromUtf8(refusal) << said << QString::fromLatin1(draft)
                                << earlierTypo;
        };
        // What the table was already told is not said again.
        row("beside an earlier typo", 3, TableColumn::TPC, "20.50", "", {}, "4.3", true);
        row("a figure in line", 5, TableColumn::Displacement, "9225.0", "", {}, "4.5");
        row("a typo", 5, TableColumn::Displacement, "9245", "",
            texts({"Line 6: Displacement 9245 is out of line with the rows round it (about 9225 "
                   "would follow them)."}),
            "4.5");
        row("no figure", 5, TableColumn::TPC, "20,5", "\"20,5\" is no figure.", {}, "4.5");
        row("blank draft", 5, TableColumn::Draft, " ", "A row needs its draft.", {}, "4.5");
        row("blank figure", 3, TableColumn::TPC, "", "", texts({"Line 4 gives no TPC."}), "4.3");
        row("a draft twice", 5, TableColumn::Draft, "4.4",
            "Line 6 gives the draft 4.4 m again (line 5).", {}, "4.5");
        // A draft moved past its neighbour takes its row along, and the rest
        // of the row is then out of line.
        row("a draft moved", 0, TableColumn::Draft, "4.15", "",
            texts({"The rows were not in draft order; they are sorted by draft.",
                   "Line 1: the displacement 8200 t does not rise above the row before's 8405 t.",
                   "Line 1: the draft steps 0.05 m from the row before; the table's step is 0.1 m.",
                   "Line 3: the draft steps 0.05 m from the row before; the table's step is 0.1 m.",
                   "Line 1: Displacement 8200 is out of line with the rows round it (about 8508 "
                   "would follow them).",
                   "Line 1: MCTC 182 is out of line with the rows round it (about 182.4 would "
                   "follow them)."}),
            "4.1");
    }
    void editsAFigureThroughTheAudit() {
        QFETCH(int, row);
        QFETCH(TableColumn, column);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        QFETCH(QStringList, said);
        QFETCH(QString, draftOfRow);
        QFETCH(bool, earlierTypo);
        QList<TableRow> rows = barge("4", "5", "0.1").rows;
        if (earlierTypo)
            rows[8][TableColumn::Displacement] = dec("9500");
        const TableRowEdit edit = editTableFigure(rows, row, column, text);
        QCOMPARE(edit.refusal.value_or(QString()), refusal);
        QCOMPARE(edit.said, said);
        if (edit.refusal) {
            QVERIFY(edit.rows.isEmpty());
            return;
        }
        QCOMPARE(edit.rows.size(), rows.size());
        QCOMPARE(edit.rows[row][TableColumn::Draft]->toString(), draftOfRow);
        // The edited row, found again by its draft after sorting.
        const std::optional<Decimal> typed = tableFigure(text, DecimalSeparator::Point);
        const std::optional<Decimal> draft =
            column == TableColumn::Draft ? typed : rows[row][TableColumn::Draft];
        const auto edited =
            std::find_if(edit.rows.cbegin(), edit.rows.cend(),
                         [&](const TableRow& r) { return r[TableColumn::Draft] == draft; });
        QVERIFY(edited != edit.rows.cend());
        QCOMPARE((*edited)[column], typed);
    }

    void readsText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<DecimalSeparator>("separator");
        QTest::addColumn<QStringList>("roles");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("csv, units in brackets")
            << "Draft (m),Disp [t],TPC,LCF (m),MTC,Remarks\n7.5,15000,25,2.5,190,\"a, b\"\n"
               "7.6,15250,25.1,2.4,191,\n"
            << DecimalSeparator::Point << texts({"Draft", "Displacement", "TPC", "LCF", "MCTC", ""})
            << texts({"7.5 15000 25 2.5 190", "7.6 15250 25.1 2.4 191"}) << QStringList();
        QTest::newRow("pasted from a spreadsheet, decimal comma")
            << "7,5\t15000\t25\t2,5\t190\r\n7,6\t15250\t25,1\t2,4\t191\r\n"
            << DecimalSeparator::Comma << texts({"Draft", "Displacement", "TPC", "LCF", "MCTC"})
            << texts({"7.5 15000 25 2.5 190", "7.6 15250 25.1 2.4 191"}) << QStringList();
        QTest::newRow("semicolons, decimal comma")
            << "draft;displacement;tpc;lcf;mctc;km\n7,5;15000;25;-2,5;190;12,1\n"
            << DecimalSeparator::Comma
            << texts({"Draft", "Displacement", "TPC", "LCF", "MCTC", "KM"})
            << texts({"7.5 15000 25 -2.5 190 12.1"}) << QStringList();
        QTest::newRow("text of a PDF")
            << "  DRAFT   DISP    TPC   LCF    MCTC\n  7.50  15000  25.00  2.500  190.0\n"
            << DecimalSeparator::Point << texts({"Draft", "Displacement", "TPC", "LCF", "MCTC"})
            << texts({"7.5 15000 25 2.5 190"}) << QStringList();
        QTest::newRow("a comma where a point was declared")
            << "7,5\t15000\n7.6\t15250\n"
            << DecimalSeparator::Point << texts({"Draft", "Displacement"}) << texts({"7.6 15250"})
            << texts({"Line 1: \"7,5\" is no figure for Draft."});
        QTest::newRow("thousands mark where a comma was declared")
            << "7,5;15.000\n"
            << DecimalSeparator::Comma << texts({"Draft", "Displacement"}) << QStringList()
            << texts({"Line 1: \"15.000\" is no figure for Displacement."});
        QTest::newRow("blank is no zero, a line needs its draft")
            << "Draft,Displacement,TPC\n7.5,,25\n,15250,25.1\n"
            << DecimalSeparator::Point << texts({"Draft", "Displacement", "TPC"})
            << texts({"7.5 - 25"}) << texts({"Line 3 gives no draft."});
    }
    void readsText() {
        QFETCH(QString, text);
        QFETCH(DecimalSeparator, separator);
        QFETCH(QStringList, roles);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, problems);
        const TableText table = splitTableText(text, separator);
        const ColumnRoles proposed = proposedRoles(table);
        QStringList roleNames;
        for (const std::optional<TableColumn>& role : proposed)
            roleNames.append(role ? tableColumnName(*role) : QString());
        QCOMPARE(roleNames, roles);
        const ImportedRows imported = readTableRows(table, proposed, separator);
        QStringList read;
        for (const TableRow& row : imported.rows) {
            QStringList figures;
            for (int c = 0; c < proposed.size() && c < tableColumnCount; ++c) {
                if (proposed[c])
                    figures.append(row[*proposed[c]] ? row[*proposed[c]]->toString()
                                                     : QStringLiteral("-"));
            }
            read.append(figures.join(QLatin1Char(' ')));
        }
        QCOMPARE(read, rows);
        QStringList said;
        for (const TableProblem& problem : imported.problems)
            said.append(problem.text);
        QCOMPARE(said, problems);
    }

    void lcfInTheCalculationsConvention_data() {
        QTest::addColumn<LcfOrigin>("origin");
        QTest::addColumn<LcfPositive>("positive");
        QTest::addColumn<QString>("declared");
        QTest::addColumn<QString>("fromAmidships");
        QTest::newRow("amidships, aft") << LcfOrigin::Amidships << LcfPositive::Aft << "2.4"
                                        << "2.4";
        QTest::newRow("amidships, forward") << LcfOrigin::Amidships << LcfPositive::Forward << "2.4"
                                            << "-2.4";
        QTest::newRow("aft perpendicular, forward")
            << LcfOrigin::AftPerpendicular << LcfPositive::Forward << "106.1"
            << "2.4";
        QTest::newRow("aft perpendicular, aft")
            << LcfOrigin::AftPerpendicular << LcfPositive::Aft << "-106.1"
            << "2.4";
    }
    void lcfInTheCalculationsConvention() {
        QFETCH(LcfOrigin, origin);
        QFETCH(LcfPositive, positive);
        QFETCH(QString, declared);
        QFETCH(QString, fromAmidships);
        TableDeclaration declaration;
        declaration.lcfOrigin = origin;
        declaration.lcfPositive = positive;
        QCOMPARE(lcfFromAmidships(Decimal::fromText(declared), declaration, Decimal(217)),
                 Decimal::fromText(fromAmidships));
    }
};

Q_DECLARE_METATYPE(TableRow)

QTEST_GUILESS_MAIN(TestShipTable)
#include "test_ship_table.moc"
