#include "clock.h"
#include "connection.h"
#include "create_database.h"
#include "durable_file.h"
#include "errors.h"
#include "json_edit.h"
#include "message_service.h"
#include "page_report_printer.h"
#include "report_fill.h"
#include "report_pdf.h"
#include "report_preview.h"
#include "report_render.h"
#include "scripted_file_chooser.h"
#include "survey_file_report.h"
#include "text_list.h"

#include <QAction>
#include <QJsonDocument>
#include <QLabel>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString samplePath(const char* name) {
    return QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(name);
}

// The report of a survey file, filled as the worksheet that calculated it
// fills it.
ReportSource calculatedSource(const QString& file) {
    QString errors;
    QTextStream err(&errors);
    const SurveyFileReport report = reportOfSurveyFile(file, QString(), err);
    if (!report.source)
        throw ProgramError(ErrorCode::ObjectNotSet, QStringLiteral("No report: ") + errors);
    return *report.source;
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString pdfText(const QString& file) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

using Labels = TextMap;

} // namespace

class TestReportOutput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
                 "pdftotext (poppler-utils) is needed");
        m_loading = calculatedSource(samplePath("loading-survey.json"));
        m_discharging = calculatedSource(samplePath("discharging-survey.json"));
    }

    // A calculated survey fills every row of both columns, and the PDF
    // carries what the labels hold.
    void filledSurveys_data() {
        QTest::addColumn<bool>("discharging");
        QTest::addColumn<Labels>("expected");
        QTest::newRow("loading") << false
                                 << textMap({{"lblShipName", "CORAL MERIDIAN"},
                                             {"lblReportTitle", "LOADPORT DRAFT SURVEY REPORT"},
                                             {"lblInitFO", "1450.3 MT"},
                                             {"lblInitFwdMeanDraft", "5.2 m"},
                                             {"lblInitDeflection", "Hog 1.5 cm"},
                                             {"lblFinDeflection", "Sag 5 cm"},
                                             {"lblFinNGDisp", "87189.36056 MT"},
                                             {"lblConstant", "262.5047 MT"},
                                             {"lblTotCargoLoaded", "76126.85586 MT"},
                                             {"lblCargoUncertainty", "± 249 t (±0.33 %, 95 %)"},
                                             {"lblShipName2", "Coral Meridian"}});
        QTest::newRow("discharging")
            << true
            << textMap({{"lblReportTitle", "DISCHARGE PORT DRAFT SURVEY REPORT"},
                        {"lblResult2", "TOTAL CARGO DISCHARGED"},
                        {"lblInitDeflection", "Sag 3 cm"},
                        {"lblFinDeflection", "Hog 1 cm"},
                        {"lblConstant", "253.88085 MT"},
                        {"lblCargoUncertainty", "± 257 t (±0.34 %, 95 %)"},
                        {"lblTotCargoLoaded", "76168.63166 MT"}});
    }
    void filledSurveys() {
        QFETCH(bool, discharging);
        QFETCH(Labels, expected);
        const ReportPage page = fillReport(discharging ? m_discharging : m_loading);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(page.caption(it.key()), it.value());
        // The sample surveys have no Misc items; every other row is written.
        for (const ReportLabel& label : page.layout().labels) {
            const bool column = label.name.startsWith(QStringLiteral("lblInit")) ||
                                label.name.startsWith(QStringLiteral("lblFin"));
            if (column && !label.name.contains(QStringLiteral("Misc")))
                QVERIFY2(page.caption(label.name) != label.designCaption, qPrintable(label.name));
        }

        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("report.pdf"));
        saveReportPdf(page, file);
        // A caption wrapped in its label reads the same over two lines.
        const QString text = pdfText(file).simplified();
        for (const QString& caption : expected)
            QVERIFY2(text.contains(caption), qPrintable(caption));
    }

    // The image is an A4 page, and a label's text lands where its layout
    // puts it.
    void image() {
        const ReportPage page = fillReport(m_loading);
        const QImage image = reportImage(page, 72);
        QCOMPARE(image.size(), QSize(595, 841));
        const auto inked = [&](const QString& name) {
            const ReportLabel* label = page.layout().label(name);
            const QRect area((label->left + reportOrigin.x()) / 20,
                             (label->top + reportOrigin.y()) / 20, label->width / 20,
                             label->height / 20);
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    if (qGray(image.pixel(x, y)) < 128)
                        return true;
                }
            }
            return false;
        };
        QVERIFY(inked(QStringLiteral("lblTotCargoLoaded")));
        QVERIFY(inked(QStringLiteral("lblFinNGDisp")));
        QVERIFY(inked(QStringLiteral("Label50")));
        QVERIFY(!inked(QStringLiteral("lblCallSign"))); // the sample ship has none
    }

    // Previews are windows of their own, any number at once, each at its
    // own zoom.
    void previews() {
        PageReportPrinter printer;
        printer.preview(m_loading);
        printer.preview(m_discharging);
        QList<ReportPreview*> open = printer.openPreviews();
        QCOMPARE(open.size(), 2);
        for (ReportPreview* preview : open) {
            QVERIFY(preview->isVisible());
            QVERIFY(preview->isWindow());
            QCOMPARE(preview->windowModality(), Qt::NonModal);
            QVERIFY(!preview->testAttribute(Qt::WA_QuitOnClose));
        }
        auto* sheet = open[1]->findChild<QLabel*>(QStringLiteral("lblSheet"));
        const int width100 = sheet->pixmap().width();
        open[1]->findChild<QAction*>(QStringLiteral("actZoomIn"))->trigger();
        QCOMPARE(open[1]->zoom(), 125);
        open[1]->setZoom(190);
        QCOMPARE(open[1]->zoom(), 200);
        QCOMPARE(sheet->pixmap().width(), reportImage(open[1]->page(), 192).width());
        QVERIFY(sheet->pixmap().width() > width100);

        open[0]->close();
        QTRY_COMPARE(printer.openPreviews().size(), 1);
        QCOMPARE(printer.openPreviews()[0]->page().caption(QStringLiteral("lblResult2")),
                 QStringLiteral("TOTAL CARGO DISCHARGED"));
    }

    // Save as PDF offers ship, port and date, writes the file whole, and
    // says so when it cannot.
    void saveAsPdf_data() {
        QTest::addColumn<QString>("answer"); // "~" stands for the temporary folder
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("message");
        QTest::newRow("saved") << "~/out.pdf" << true << "";
        QTest::newRow("cancelled") << "" << false << "";
        QTest::newRow("folder missing")
            << "~/missing/out.pdf" << false << "The report was not saved.";
    }
    void saveAsPdf() {
        QFETCH(QString, answer);
        QFETCH(bool, written);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const QString file = answer.replace(u'~', folder.path());
        ScriptedFileChooser chooser;
        chooser.answers = QStringList{file};
        ScopedMessageRecorder recorder;
        ReportPreview preview(fillReport(m_loading));
        preview.findChild<QAction*>(QStringLiteral("actSaveAsPdf"))->trigger();

        QCOMPARE(QFileInfo(chooser.proposed).fileName(),
                 QStringLiteral("CORAL MERIDIAN - Port Hedland - 2024-07-13.pdf"));
        QFile pdf(file);
        QCOMPARE(pdf.exists(), written);
        if (written) {
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            QVERIFY(pdf.read(5) == "%PDF-");
        }
        QCOMPARE(recorder.texts().join(u'|').section(QStringLiteral("\r\n"), 0, 0), message);
    }

    // A PDF that cannot be written whole leaves the old one, and says why.
    void pdfOntoAFullDiskKeepsTheOldFile() {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("out.pdf"));
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old report") == 10);
        old.close();
        ScriptedFileChooser chooser;
        chooser.answers = QStringList{file};
        ScopedMessageRecorder recorder;
        ReportPreview preview(fillReport(m_loading));
        DurableFile::failNextWriteAt(DurableFile::Step::Sync);
        preview.findChild<QAction*>(QStringLiteral("actSaveAsPdf"))->trigger();
        QCOMPARE(recorder.texts().size(), 1);
        QVERIFY2(
            recorder.texts().first().contains(QStringLiteral("out.pdf: No space left on device")),
            qPrintable(recorder.texts().first()));
        QCOMPARE(contentsOf(file), QByteArray("old report"));
    }

    // The PDF never replaces the files the survey is read from, however
    // they are named.
    void commandRefusesToWriteOverItsInput_data() {
        QTest::addColumn<QString>("pdf"); // relative to the temporary folder
        QTest::addColumn<QString>("clash");
        // clang-format off
        QTest::newRow("the same name") << "~/a.json" << "a.json";
        QTest::newRow("relative") << "a.json" << "a.json";
        QTest::newRow("through a folder") << "~/sub/../a.json" << "a.json";
        QTest::newRow("a symlink") << "~/link.json" << "a.json";
        QTest::newRow("a hard link") << "~/hard.json" << "a.json";
        QTest::newRow("the database") << "~/DS.dat" << "DS.dat";
        // clang-format on
    }
    void commandRefusesToWriteOverItsInput() {
        QFETCH(QString, pdf);
        QFETCH(QString, clash);
        QTemporaryDir folder;
        const QDir dir(folder.path());
        QVERIFY(
            QFile::copy(samplePath("loading-survey.json"), dir.filePath(QStringLiteral("a.json"))));
        QVERIFY(dir.mkdir(QStringLiteral("sub")));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("a.json")),
                            dir.filePath(QStringLiteral("link.json"))));
        QVERIFY(QProcess::execute(QStringLiteral("ln"),
                                  {dir.filePath(QStringLiteral("a.json")),
                                   dir.filePath(QStringLiteral("hard.json"))}) == 0);
        createDatabase(databaseFileIn(folder.path()));
        const QByteArray before = contentsOf(dir.filePath(clash));

        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.start(QStringLiteral(SURVEY_PROGRAM),
                      {QStringLiteral("report"), dir.filePath(QStringLiteral("a.json")),
                       QStringLiteral("--database"), dir.filePath(QStringLiteral("DS.dat")),
                       QStringLiteral("--pdf"), pdf.replace(u'~', folder.path())});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 2);
        // One line of reason (the desktop's own warnings aside).
        const QStringList said = QString::fromUtf8(process.readAllStandardError())
                                     .split(u'\n')
                                     .filter(QStringLiteral("calvane-survey: "));
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.first().startsWith(QStringLiteral("calvane-survey: the PDF file ")) &&
                     said.first().endsWith(QStringLiteral("; choose another")),
                 qPrintable(said.first()));
        QCOMPARE(contentsOf(dir.filePath(clash)), before);
    }

    // A report without dates is dated today.
    void undatedReportIsNamedForToday() {
        const FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 30)));
        ReportSource source = m_loading;
        source.initial.reset();
        source.final.reset();
        QCOMPARE(QFileInfo(ReportPreview(fillReport(source)).proposedFileName()).fileName(),
                 QStringLiteral("CORAL MERIDIAN - Port Hedland - 2026-12-07.pdf"));
    }

    void printingWithoutPrinter() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a printer");
        PageReportPrinter printer;
        try {
            printer.print(m_loading);
            QFAIL("printed without a printer");
        } catch (const ProgramError& error) {
            QCOMPARE(error.description(), QStringLiteral("No printer is installed."));
        }
    }

    // calvane-survey report, as a surveyor runs it.
    void command_data() {
        QTest::addColumn<QStringList>("arguments"); // "~" stands for the temporary folder
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("inPdf");
        QTest::addColumn<QString>("notInPdf");
        QTest::addColumn<QString>("error");
        const QString loading = samplePath("loading-survey.json");
        const QString discharging = samplePath("discharging-survey.json");
        // clang-format off
        QTest::newRow("loading") << QStringList{QStringLiteral("report"), loading, QStringLiteral("--pdf"), QStringLiteral("~/r.pdf")} << 0 << texts({"CORAL MERIDIAN", "LOADPORT DRAFT SURVEY REPORT", "76126.85586 MT"}) << "" << "";
        QTest::newRow("discharging") << QStringList{QStringLiteral("report"), QStringLiteral("--pdf"), QStringLiteral("~/r.pdf"), discharging} << 0 << texts({"CORAL MERIDIAN", "TOTAL CARGO DISCHARGED", "76168.63166 MT"}) << "" << "";
        QTest::newRow("ship of the database") << QStringList{QStringLiteral("report"), samplePath("loading-survey-stored-ship.json"), QStringLiteral("--database"), QStringLiteral("~/DS.dat"), QStringLiteral("--pdf"), QStringLiteral("~/r.pdf")} << 0 << texts({"VNCM", "Port Hedland, Australia", "76015 MT", "32.26 m"}) << "" << "";
        QTest::newRow("inline ship, ports of the database") << QStringList{QStringLiteral("report"), loading, QStringLiteral("--database"), QStringLiteral("~/DS.dat"), QStringLiteral("--pdf"), QStringLiteral("~/r.pdf")} << 0 << texts({"Port Hedland, Australia"}) << "" << "";
        QTest::newRow("inline ship, no database") << QStringList{QStringLiteral("report"), loading, QStringLiteral("--database"), QStringLiteral("~/none.dat"), QStringLiteral("--pdf"), QStringLiteral("~/r.pdf")} << 0 << texts({"Port Hedland"}) << "Australia" << "";
        QTest::newRow("incomplete survey") << QStringList{QStringLiteral("report"), QStringLiteral("~/incomplete.json"), QStringLiteral("--pdf"), QStringLiteral("~/r.pdf")} << 1 << QStringList() << "" << "Incomplete data.";
        QTest::newRow("unwritable pdf") << QStringList{QStringLiteral("report"), loading, QStringLiteral("--pdf"), QStringLiteral("~/missing/r.pdf")} << 1 << QStringList() << "" << "could not be written";
        QTest::newRow("no pdf") << QStringList{QStringLiteral("report"), loading} << 2 << QStringList() << "" << "no PDF file given";
        QTest::newRow("not a survey") << QStringList{QStringLiteral("report"), QStringLiteral("~/none.json"), QStringLiteral("--pdf"), QStringLiteral("~/r.pdf")} << 2 << QStringList() << "" << "none.json";
        // clang-format on
    }
    void command() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QStringList, inPdf);
        QFETCH(QString, notInPdf);
        QFETCH(QString, error);
        QTemporaryDir folder;
        QFile incomplete(folder.filePath(QStringLiteral("incomplete.json")));
        QFile sample(samplePath("loading-survey.json"));
        QVERIFY(sample.open(QIODevice::ReadOnly) && incomplete.open(QIODevice::WriteOnly));
        const QJsonObject survey = QJsonDocument::fromJson(sample.readAll()).object();
        incomplete.write(QJsonDocument(edited(survey, texts({"voyage"}), QString())).toJson());
        incomplete.close();
        createDatabase(databaseFileIn(folder.path()));
        for (QString& argument : arguments)
            argument.replace(u'~', folder.path());

        QProcess process;
        process.start(QStringLiteral(SURVEY_PROGRAM), arguments);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), status);
        QVERIFY2(QString::fromUtf8(process.readAllStandardError()).contains(error),
                 qPrintable(error));
        const QString pdf = folder.filePath(QStringLiteral("r.pdf"));
        QCOMPARE(QFile::exists(pdf), status == 0);
        const QString text = pdfText(pdf);
        for (const QString& expected : inPdf)
            QVERIFY2(text.contains(expected), qPrintable(expected));
        if (!notInPdf.isEmpty())
            QVERIFY2(!text.contains(notInPdf), qPrintable(notInPdf));
    }

    // Without the Final draft, the report is made as `compute` calculates
    // it, and what was not calculated is blank, never "0 MT".
    void initialDraftAlone_data() {
        QTest::addColumn<QString>("sample");
        QTest::newRow("loading") << "loading-survey.json";
        QTest::newRow("discharging") << "discharging-survey.json";
    }
    void initialDraftAlone() {
        QFETCH(QString, sample);
        QTemporaryDir folder;
        QFile whole(samplePath(sample.toLatin1().constData()));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QJsonObject survey = QJsonDocument::fromJson(whole.readAll()).object();
        const QString file = folder.filePath(QStringLiteral("initial.json"));
        QFile initial(file);
        QVERIFY(initial.open(QIODevice::WriteOnly));
        initial.write(
            QJsonDocument(edited(survey, texts({"final"}), QJsonValue::Undefined)).toJson());
        initial.close();
        const QString pdf = folder.filePath(QStringLiteral("r.pdf"));

        QProcess process;
        process.start(QStringLiteral(SURVEY_PROGRAM),
                      {QStringLiteral("report"), file, QStringLiteral("--pdf"), pdf});
        QVERIFY(process.waitForFinished(60000));
        const QString errors = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(!errors.contains(QStringLiteral("calvane-survey")), qPrintable(errors));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(pdfText(pdf).contains(QStringLiteral("DRAFT SURVEY REPORT")));

        const ReportPage page = fillReport(calculatedSource(file));
        QVERIFY(!page.caption(QStringLiteral("lblInitNGDisp")).isEmpty());
        for (const ReportLabel& label : page.layout().labels) {
            if (label.name.startsWith(QStringLiteral("lblFin")) ||
                label.name == QStringLiteral("lblTotCargoLoaded") ||
                (sample.startsWith(QStringLiteral("discharging")) &&
                 label.name == QStringLiteral("lblConstant")))
                QVERIFY2(page.caption(label.name).isEmpty(), qPrintable(label.name));
        }
    }

private:
    ReportSource m_loading, m_discharging;
};

QTEST_MAIN(TestReportOutput)
#include "test_report_output.moc"
