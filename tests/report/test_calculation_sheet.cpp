#include "connection.h"
#include "create_database.h"
#include "errors.h"
#include "page_report_printer.h"
#include "report_fill.h"
#include "report_pdf.h"
#include "report_preview.h"
#include "report_render.h"
#include "scripted_file_chooser.h"
#include "sheet_layout.h"
#include "survey_file.h"
#include "survey_file_report.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString samplePath(const QString& name) {
    return QStringLiteral(SAMPLES_DIR "/") + name;
}

QByteArray output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

QByteArray survey(const QStringList& arguments) {
    return output(QStringLiteral(SURVEY_PROGRAM), arguments);
}

// The PDF's text with every run of white space made one space, page by
// page.
QStringList pdfPages(const QString& file) {
    QStringList pages =
        QString::fromUtf8(output(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-layout"), file, QStringLiteral("-")}))
            .split(u'\f', Qt::SkipEmptyParts);
    // A ligature ("ﬁ") reads as its letters, as a viewer's search finds it.
    for (QString& page : pages)
        page = page.normalized(QString::NormalizationForm_KC).simplified();
    return pages;
}

// Every text the JSON holds, numbers and captions alike, but the cargo's
// change for each single input: the sheet gives them by group.
void collectLeaves(const QJsonValue& value, QStringList& leaves) {
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto member = object.begin(); member != object.end(); ++member)
            if (member.key() != QStringLiteral("sensitivities"))
                collectLeaves(member.value(), leaves);
    } else if (value.isArray()) {
        for (const QJsonValue& element : value.toArray())
            collectLeaves(element, leaves);
    } else if (value.isString() && !value.toString().isEmpty()) {
        leaves.append(value.toString().simplified());
    }
}

SheetPart partOf(int figures, int longNotes) {
    SheetPart part{QStringLiteral("PART"), {}};
    for (int i = 0; i < figures; ++i)
        part.lines.append({SheetLine::Kind::Figure, QStringLiteral("Figure"), QStringLiteral("1")});
    for (int i = 0; i < longNotes; ++i)
        part.lines.append({SheetLine::Kind::Note, QString(), QString(400, u'x')});
    return part;
}

} // namespace

class TestCalculationSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        for (const char* tool : {"pdftotext", "pdfinfo", "pdffonts"})
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(), tool);
    }

    // Whoever checks the survey by hand finds on the sheet every figure the
    // command's JSON gives, and the report's own page stays one page.
    void everyComputedFigureIsOnTheSheet_data() {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("cargo");
        QTest::newRow("loading") << "loading-survey.json"
                                 << "Total Cargo Loaded Final Net Displacement - Initial Net "
                                    "Displacement = 87189.36056 - 11062.5047 = 76126.85586";
        QTest::newRow("discharging")
            << "discharging-survey.json"
            << "Total Cargo Discharged Initial Net Displacement - Final Net Displacement = "
               "87222.51251 - 11053.88085 = 76168.63166";
    }
    void everyComputedFigureIsOnTheSheet() {
        QFETCH(QString, sample);
        QFETCH(QString, cargo);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("r.pdf"));
        const QString file = samplePath(sample);
        QStringList figures;
        collectLeaves(QJsonDocument::fromJson(
                          survey({QStringLiteral("compute"), QStringLiteral("--json"), file}))
                          .object(),
                      figures);
        QVERIFY(figures.size() > 80);
        survey({QStringLiteral("report"), file, QStringLiteral("--pdf"), pdf});
        const QStringList pages = pdfPages(pdf);
        QVERIFY(pages.size() >= 3);
        const QString sheet = pages.mid(1).join(u' ');
        for (const QString& figure : std::as_const(figures))
            QVERIFY2(sheet.contains(figure), qPrintable(figure));
        // The cargo as its worksheet works it out.
        QVERIFY2(sheet.contains(cargo), qPrintable(cargo));
        // A page for each draft, and one for the survey and its results.
        QCOMPARE(pages.size(), 4);
    }

    // Who attended and in what conditions print on the sheet's last page.
    void surveyParticularsArePrinted() {
        QTemporaryDir folder;
        SurveyDocument document =
            readSurveyFile(samplePath(QStringLiteral("loading-survey.json"))).document.value();
        document.surveyParticulars = {QStringLiteral("Berth 3"),    QStringLiteral("Ore Traders"),
                                      QStringLiteral("umpire"),     QStringLiteral("Master, C/O"),
                                      QStringLiteral("Fine"),       QStringLiteral("Slight"),
                                      QStringLiteral("Low from SW")};
        const QString file = folder.filePath(QStringLiteral("s.json"));
        QCOMPARE(writeSurveyFile(document, file), QString());
        const QString pdf = folder.filePath(QStringLiteral("r.pdf"));
        survey({QStringLiteral("report"), file, QStringLiteral("--pdf"), pdf});
        const QString last = pdfPages(pdf).last();
        for (const char* expected :
             {"Berth or anchorage Berth 3", "Requested by Ore Traders", "Surveyor acting umpire",
              "Attended by Master, C/O", "Weather Fine", "Sea Slight", "Swell Low from SW"})
            QVERIFY2(last.contains(QString::fromLatin1(expected)), expected);
    }

    // A comment or cargo name the page cannot hold is cut at a word there,
    // says where it goes on, and is printed whole on the sheet.
    void longTextsContinueOnTheSheet_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("words");
        QTest::addColumn<bool>("sheet");
        QTest::addColumn<bool>("continued");
        QTest::newRow("short comment") << "lblFinComments" << 10 << true << false;
        QTest::newRow("long comment") << "lblFinComments" << 400 << true << true;
        QTest::newRow("long comment, no sheet") << "lblFinComments" << 400 << false << false;
        QTest::newRow("short cargo") << "lblCargo" << 3 << true << false;
        QTest::newRow("long cargo") << "lblCargo" << 40 << true << true;
    }
    void longTextsContinueOnTheSheet() {
        QFETCH(QString, label);
        QFETCH(int, words);
        QFETCH(bool, sheet);
        QFETCH(bool, continued);
        QTemporaryDir folder;
        SurveyDocument document =
            readSurveyFile(samplePath(QStringLiteral("loading-survey.json"))).document.value();
        QStringList text;
        for (int i = 0; i < words; ++i)
            text << QStringLiteral("word%1").arg(i);
        QString& target =
            label == QStringLiteral("lblCargo") ? document.cargo : document.final.comments;
        target = text.join(u' ');
        const QString file = folder.filePath(QStringLiteral("s.json"));
        QCOMPARE(writeSurveyFile(document, file), QString());
        QString errors;
        QTextStream err(&errors);
        const SurveyFileReport report = reportOfSurveyFile(file, QString(), err);
        QVERIFY2(report.source, qPrintable(errors));
        ReportOptions options;
        options.calculationSheet = sheet;
        const ReportPage page = fillReport(*report.source, options);

        const QString shown = page.caption(label);
        const QString marker = QStringLiteral(" ... (see the calculation sheet)");
        QCOMPARE(shown.endsWith(marker), continued);
        if (continued) {
            QVERIFY(target.startsWith(shown.chopped(marker.size()) + u' '));
            QVERIFY(fitsLabel(*page.layout().label(label), shown));
            QVERIFY(!fitsLabel(*page.layout().label(label), target));
        } else {
            QCOMPARE(shown, target);
        }
        QString printed;
        for (int index = 1; index < page.pageCount(); ++index)
            for (const ReportLabel& sheetLabel : page.layoutOf(index).labels)
                printed += sheetLabel.designCaption + u'\n';
        QCOMPARE(printed.contains(target), sheet);
    }

    // Short texts are judged to fit from their letters' widths, without
    // laying them out; a zero-width word joiner, which that judgement leaves
    // alone, makes the same text go through the full layout. Both must agree
    // at every length, across the sizes the label shrinks through.
    void quickFitAgreesWithLayout_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("unit");
        QTest::newRow("figures") << "lblInitNGDisp"
                                 << "8";
        QTest::newRow("wide capitals") << "lblCargo"
                                       << "W";
        QTest::newRow("kerned pairs") << "lblCargo"
                                      << "AV";
        QTest::newRow("narrow letters") << "lblCargo"
                                        << "il1";
        QTest::newRow("bold caption") << "Label1"
                                      << "MW";
        QTest::newRow("ship name") << "lblShipName"
                                   << "WAVY ";
        QTest::newRow("wrapped note") << "lblCargoUncertainty"
                                      << "To Ty ";
    }
    void quickFitAgreesWithLayout() {
        QFETCH(QString, label);
        QFETCH(QString, unit);
        const ReportLabel& fitted = *drptCalvane().label(label);
        QString text;
        bool someFit = false;
        bool someNot = false;
        for (int units = 1; units <= 120; ++units) {
            text += unit;
            const bool fits = fitsLabel(fitted, text);
            QCOMPARE(fitsLabel(fitted, text + u'\u2060'), fits);
            (fits ? someFit : someNot) = true;
        }
        QVERIFY(someFit && someNot);
    }

    void sheetLeftOut() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("r.pdf"));
        survey({QStringLiteral("report"), samplePath(QStringLiteral("loading-survey.json")),
                QStringLiteral("--no-calculation-sheet"), QStringLiteral("--pdf"), pdf});
        QCOMPARE(pdfPages(pdf).size(), 1);
    }

    // The preview's Save as PDF and the command write one document: the
    // same text, PDF/A-1b, its metadata filled and its fonts embedded.
    void previewAndCommandWriteTheSamePdf() {
        QTemporaryDir folder;
        // One register for both, whatever lies beside either program.
        const QString database = databaseFileIn(folder.path());
        createDatabase(database);
        const QString file = samplePath(QStringLiteral("loading-survey.json"));
        const QString fromCommand = folder.filePath(QStringLiteral("command.pdf"));
        survey({QStringLiteral("report"), file, QStringLiteral("--database"), database,
                QStringLiteral("--pdf"), fromCommand});

        QString errors;
        QTextStream err(&errors);
        const SurveyFileReport report = reportOfSurveyFile(file, database, err);
        QVERIFY2(report.source, qPrintable(errors));
        PageReportPrinter printer;
        printer.preview(*report.source);
        const QString fromPreview = folder.filePath(QStringLiteral("preview.pdf"));
        ScriptedFileChooser chooser;
        chooser.answers = QStringList{fromPreview};
        printer.openPreviews()
            .first()
            ->findChild<QAction*>(QStringLiteral("actSaveAsPdf"))
            ->trigger();

        QCOMPARE(pdfPages(fromPreview), pdfPages(fromCommand));
        for (const QString& pdf : {fromPreview, fromCommand}) {
            const QString meta = QString::fromUtf8(
                output(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), pdf}));
            for (const char* expected :
                 {"<pdfaid:part>1</pdfaid:part>", "<pdfaid:conformance>B</pdfaid:conformance>",
                  "CORAL MERIDIAN - LOADPORT DRAFT SURVEY REPORT",
                  "Draft survey of CORAL MERIDIAN at Port Hedland", "<pdf:Keywords>draft survey",
                  "<xmp:CreatorTool>Calvane Lt</xmp:CreatorTool>"})
                QVERIFY2(meta.contains(QString::fromLatin1(expected)), expected);
            const QStringList fonts = QString::fromUtf8(output(QStringLiteral("pdffonts"), {pdf}))
                                          .split(u'\n', Qt::SkipEmptyParts)
                                          .mid(2);
            QVERIFY(!fonts.isEmpty());
            for (const QString& font : fonts)
                QVERIFY2(font.contains(QStringLiteral(" yes ")), qPrintable(font));
        }
    }

    // The surveyor of the settings is the PDF's author, written so that
    // no name can break the metadata.
    void authorIsEscaped() {
        QTemporaryDir folder;
        ReportPage page(reportLayout(Worksheet::Loading));
        page.setAuthor(QStringLiteral("Smith & <Jones>"));
        const QString pdf = folder.filePath(QStringLiteral("a.pdf"));
        saveReportPdf(page, pdf);
        QVERIFY(QString::fromUtf8(output(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), pdf}))
                    .contains(QStringLiteral("<rdf:li>Smith &amp; &lt;Jones&gt;</rdf:li>")));
    }

    // Parts start a page unless they fit below the last; a part longer
    // than a page goes on under its title, and nothing runs into the
    // footer.
    void pagination_data() {
        QTest::addColumn<QList<int>>("figures"); // per part
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("continued");
        QTest::newRow("one short part") << QList<int>{5} << 1 << 0;
        QTest::newRow("two short parts share a page") << QList<int>{5, 5} << 1 << 0;
        QTest::newRow("a part that does not fit starts a page") << QList<int>{40, 40} << 2 << 0;
        QTest::newRow("a part longer than a page goes on") << QList<int>{120} << 2 << 1;
    }
    void pagination() {
        QFETCH(QList<int>, figures);
        QFETCH(int, pages);
        QFETCH(int, continued);
        CalculationSheet sheet;
        for (const int count : figures)
            sheet.parts.append(partOf(count, 1));
        const QList<ReportLayout> layouts = sheetLayouts(sheet, QStringLiteral("Ship"));
        QCOMPARE(layouts.size(), pages);
        int continuedTitles = 0;
        for (int i = 0; i < layouts.size(); ++i) {
            const ReportLabel& footer = layouts[i].labels.last();
            QCOMPARE(footer.designCaption,
                     QStringLiteral("Calculation sheet, page %1 of %2").arg(i + 1).arg(pages));
            for (const ReportLabel& label : layouts[i].labels) {
                if (&label != &footer)
                    QVERIFY(label.top + label.height <= footer.top);
                if (label.designCaption.endsWith(QStringLiteral("(continued)")))
                    ++continuedTitles;
            }
        }
        QCOMPARE(continuedTitles, continued);
    }
};

QTEST_MAIN(TestCalculationSheet)
#include "test_calculation_sheet.moc"
