#include "errors.h"
#include "report_fill.h"
#include "report_samples.h"
#include "text_list.h"

#include <QSet>
#include <QtTest>

using Labels = TextMap;
Q_DECLARE_METATYPE(Worksheet)

class TestReportFill : public QObject {
    Q_OBJECT

private slots:
    // Each layout names every label once, and keeps every label on the page.
    void layoutsAreWhole_data() {
        QTest::addColumn<Worksheet>("worksheet");
        QTest::newRow("loading") << Worksheet::Loading;
        QTest::newRow("discharging") << Worksheet::Discharging;
    }
    void layoutsAreWhole() {
        QFETCH(Worksheet, worksheet);
        const ReportLayout& layout = reportLayout(worksheet);
        QSet<QString> names;
        for (const ReportLabel& label : layout.labels) {
            QVERIFY2(!names.contains(label.name), qPrintable(label.name));
            names.insert(label.name);
            QVERIFY2(label.left >= 0 && label.left + label.width <= reportWidth,
                     qPrintable(label.name));
            QVERIFY2(label.top + label.height <= reportHeight, qPrintable(label.name));
        }
        QCOMPARE(names.size(), 159);
    }

    void values_data() {
        QTest::addColumn<Worksheet>("worksheet");
        QTest::addColumn<Labels>("expected");
        const Labels common = textMap({
            {"lblShipName", "CORAL MERIDIAN"},
            {"lblShipName2", "Coral Meridian"},
            {"lblPortName", "Port Hedland, Australia"},
            {"Label50", "0.35 m"},
            {"lblFwdX", "-2.5 m"},
            {"lblLightShip", "10800 MT"},
            {"lblSummerDraft", ""}, // a blank value goes without its unit
            {"lblInitFwdAftMean", "6 m"},
            {"lblInitDate", "12-07-2024"},
            {"lblInitDensity", "1.024"},
            {"lblInitMidPortDraft", "5.97 m"},
            {"lblInitNGDisp", "36250.5 MT"},
            {"lblFinNGDisp", "6250.12345 MT"},
        });
        // The constant: the Initial net less the light ship.
        Labels loading = common;
        loading.insert(textMap({{"lblReportTitle", "LOADPORT DRAFT SURVEY REPORT"},
                                {"lblConstant", "25450.5 MT"},
                                {"lblTotCargoLoaded", "-30000.37655 MT"}}));
        QTest::newRow("loading") << Worksheet::Loading << loading;
        // The constant: the Final net less the light ship.
        Labels discharging = common;
        discharging.insert(textMap({{"lblReportTitle", "DISCHARGE PORT DRAFT SURVEY REPORT"},
                                    {"lblConstant", "-4549.87655 MT"},
                                    {"lblTotCargoLoaded", "30000.37655 MT"}}));
        QTest::newRow("discharging") << Worksheet::Discharging << discharging;
    }
    void values() {
        QFETCH(Worksheet, worksheet);
        QFETCH(Labels, expected);
        const ReportPage page = fillReport(reportSource(worksheet));
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(page.caption(it.key()), it.value());
    }

    // Each rounding at its places, half to even, and its unit.
    void roundings_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sea water 5") << int(DisplacementAtTMD) << "33450.123455"
                                     << "lblInitDispInSeaWater"
                                     << "33450.12346 MT";
        QTest::newRow("1st trim 4") << int(FirstTrimCorrection) << "-12.34565"
                                    << "lblInit1stTrimCorr"
                                    << "-12.3456 MT";
        QTest::newRow("2nd trim 4") << int(SecondTrimCorrection) << "0.00015"
                                    << "lblInit2ndTrimCorr"
                                    << "0.0002 MT";
        QTest::newRow("total trim 4") << int(TotalTrimCorrection) << "7.77777"
                                      << "lblInitTotTrimCorr"
                                      << "7.7778 MT";
        QTest::newRow("even keel 5") << int(DisplacementAtEvenKeel) << "1.000005"
                                     << "lblInitDispAtEvenKeel"
                                     << "1 MT";
        QTest::newRow("density 5") << int(TrueDisplacement) << "2.000015"
                                   << "lblInitTrueDisplacement"
                                   << "2.00002 MT";
        QTest::newRow("deductibles 5") << int(TotalDeductibles) << "1846.3000049"
                                       << "lblInitTotDeductibles"
                                       << "1846.3 MT";
        QTest::newRow("deductions 5") << int(TotalDeductibles) << "1846.3000051"
                                      << "lblInitTotDeductibles2"
                                      << "1846.30001 MT";
    }
    void roundings() {
        QFETCH(int, row);
        QFETCH(QString, value);
        QFETCH(QString, label);
        QFETCH(QString, expected);
        ReportSource source = reportSource(Worksheet::Loading);
        source.initial->finalResult[row] = Decimal::fromText(value);
        QCOMPARE(fillReport(source).caption(label), expected);
    }

    void draftRows_data() {
        QTest::addColumn<int>("property");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fwd mean 3") << int(DraftProperty::FwdMean) << "5.2345"
                                    << "lblInitFwdMeanDraft"
                                    << "5.234 m";
        QTest::newRow("aft correction 3") << int(DraftProperty::AftCorrection) << "-0.0125"
                                          << "lblInitAftCorrection"
                                          << "-0.012 m";
        QTest::newRow("corrected fwd 3") << int(DraftProperty::FwdTrueDraft) << "5.1975"
                                         << "lblInitCorrDraftFwd"
                                         << "5.198 m";
        QTest::newRow("true mean 8") << int(DraftProperty::TrueMeanDraft) << "5.999999995"
                                     << "lblInitTrueMeanDraft"
                                     << "6 m";
        QTest::newRow("true mean kept") << int(DraftProperty::TrueMeanDraft) << "5.12345678"
                                        << "lblInitTrueMeanDraft"
                                        << "5.12345678 m";
        QTest::newRow("mid stbd as stored") << int(DraftProperty::MidStbd) << "6.0349"
                                            << "lblInitMidStbdDraft"
                                            << "6.0349 m";
    }
    void draftRows() {
        QFETCH(int, property);
        QFETCH(QString, value);
        QFETCH(QString, label);
        QFETCH(QString, expected);
        ReportSource source = reportSource(Worksheet::Loading);
        source.initial->values[DraftProperty(property)] = Decimal::fromText(value);
        QCOMPARE(fillReport(source).caption(label), expected);
    }

    void interpolatedRows() {
        ReportSource source = reportSource(Worksheet::Loading);
        source.initial->interpolated = {Variant(0), Decimal::fromText(u"67.19712"),
                                        Decimal::fromText(u"-3.1032"), Decimal::fromText(u"916.9"),
                                        Decimal::fromText(u"892.95")};
        const ReportPage page = fillReport(source);
        QCOMPARE(page.caption(QStringLiteral("lblInitTPC")), QStringLiteral("67.19712"));
        QCOMPARE(page.caption(QStringLiteral("lblInitLCF")), QStringLiteral("-3.1032"));
        QCOMPARE(page.caption(QStringLiteral("lblInitdMCTC")), QStringLiteral("23.95"));
    }

    // The midship mean against the mean of the end drafts (5.2 and 6.8).
    void hullDeflection_data() {
        QTest::addColumn<QString>("midMean");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sagging") << "6.02"
                                 << "Sag 2 cm";
        QTest::newRow("hogging") << "5.985"
                                 << "Hog 1.5 cm";
        QTest::newRow("even") << "6"
                              << "0 cm";
        QTest::newRow("tenth of a millimetre") << "6.0001"
                                               << "Sag 0.01 cm";
    }
    void hullDeflection() {
        QFETCH(QString, midMean);
        QFETCH(QString, expected);
        ReportSource source = reportSource(Worksheet::Loading);
        source.initial->values[DraftProperty::MidMean] = Decimal::fromText(midMean);
        QCOMPARE(fillReport(source).caption(QStringLiteral("lblInitDeflection")), expected);
    }

    // Deductions go to their item's row; the rows of other items stay
    // blank.
    void deductionRows_data() {
        QTest::addColumn<int>("itemID");
        QTest::addColumn<QString>("row");
        QTest::newRow("fuel oil") << 2 << "FO";
        QTest::newRow("diesel oil") << 3 << "DO";
        QTest::newRow("lube oil") << 24 << "LO";
        QTest::newRow("fresh water") << 25 << "FW";
        QTest::newRow("ballast") << 26 << "Ballast";
        QTest::newRow("provisions") << 27 << "Provisions";
        QTest::newRow("misc-1") << 28 << "Misc1";
        QTest::newRow("misc-2") << 29 << "Misc2";
        QTest::newRow("unknown item") << 5 << "";
    }
    void deductionRows() {
        QFETCH(int, itemID);
        QFETCH(QString, row);
        const QStringList rows =
            texts({"FO", "DO", "LO", "FW", "Ballast", "Provisions", "Misc1", "Misc2"});
        ReportSource source = reportSource(Worksheet::Loading);
        source.final->deductions = {{itemID, Decimal::fromText(u"265.04")}};
        const ReportPage page = fillReport(source);
        for (const QString& each : rows) {
            QCOMPARE(page.caption(QStringLiteral("lblFin") + each),
                     each == row ? QStringLiteral("265.04 MT") : QString());
        }
    }

    // A column not calculated prints blank, never the layout's "0 MT", and
    // so do the figures that come from it.
    void columnsLeftOut_data() {
        QTest::addColumn<Worksheet>("worksheet");
        QTest::addColumn<bool>("withInitial");
        QTest::addColumn<bool>("withFinal");
        QTest::addColumn<bool>("withInitialNet");
        QTest::addColumn<Labels>("expected");
        QTest::newRow("loading, no initial") << Worksheet::Loading << false << true << true
                                             << textMap({{"lblInitDate", ""},
                                                         {"lblInitFO", ""},
                                                         {"lblInitFwdMeanDraft", ""},
                                                         {"lblInitDeflection", ""},
                                                         {"lblInitTPC", ""},
                                                         {"lblInitDensity", ""},
                                                         {"lblInitComments", ""},
                                                         {"lblConstant", ""},
                                                         {"lblTotCargoLoaded", "-30000.37655 MT"}});
        QTest::newRow("loading, no final") << Worksheet::Loading << true << false << true
                                           << textMap({{"lblFinDensity", ""},
                                                       {"lblFinNGDisp", ""},
                                                       {"lblConstant", "25450.5 MT"},
                                                       {"lblTotCargoLoaded", ""}});
        QTest::newRow("loading, no initial net displacement")
            << Worksheet::Loading << false << true << false << textMap({{"lblTotCargoLoaded", ""}});
        QTest::newRow("discharging, no final") << Worksheet::Discharging << true << false << true
                                               << textMap({{"lblFinTrueMeanDraft", ""},
                                                           {"lblConstant", ""},
                                                           {"lblTotCargoLoaded", ""},
                                                           {"lblInitNGDisp", "36250.5 MT"}});
    }
    void columnsLeftOut() {
        QFETCH(Worksheet, worksheet);
        QFETCH(bool, withInitial);
        QFETCH(bool, withFinal);
        QFETCH(bool, withInitialNet);
        QFETCH(Labels, expected);
        ReportSource source = reportSource(worksheet);
        if (!withInitial)
            source.initial.reset();
        if (!withFinal)
            source.final.reset();
        if (!withInitialNet)
            source.initialNetDisplacement.clear();
        const ReportPage page = fillReport(source);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(page.caption(it.key()), it.value());
    }

    // The table the rows came from prints under the comments, once when
    // both drafts took it.
    void hydrostaticsSource_data() {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("final");
        QTest::addColumn<QString>("printed");
        QTest::newRow("typed") << ""
                               << ""
                               << "";
        QTest::newRow("both from one table") << "table T"
                                             << "table T"
                                             << "Hydrostatics from table T";
        QTest::newRow("initial only") << "table T"
                                      << ""
                                      << "Initial draft's hydrostatics from table T";
        QTest::newRow("final only") << ""
                                    << "table T"
                                    << "Final draft's hydrostatics from table T";
        QTest::newRow("two tables") << "table A"
                                    << "table B"
                                    << "Initial draft's hydrostatics from table A; final draft's "
                                       "from table B";
    }
    void hydrostaticsSource() {
        QFETCH(QString, initial);
        QFETCH(QString, final);
        QFETCH(QString, printed);
        ReportSource source = reportSource(Worksheet::Loading);
        source.initial->hydrostaticsSource = initial;
        source.final->hydrostaticsSource = final;
        QCOMPARE(fillReport(source).caption(QStringLiteral("lblHydrostatics")), printed);
    }

    // A value that is not a number stops the report with an error.
    void refusesNonNumbers() {
        ReportSource source = reportSource(Worksheet::Loading);
        source.initialNetDisplacement = QStringLiteral("36,250.5");
        QVERIFY_THROWS_EXCEPTION(ProgramError, fillReport(source));
    }
};

QTEST_GUILESS_MAIN(TestReportFill)
#include "test_report_fill.moc"
