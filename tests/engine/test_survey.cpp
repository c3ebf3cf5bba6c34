#include "durable_file.h"
#include "survey.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

SurveyDocument sample(const char* file) {
    return readSurveyFile(QStringLiteral(SAMPLES_DIR "/") + QLatin1String(file)).document.value();
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestSurvey : public QObject {
    Q_OBJECT

private slots:
    void modifiedIsSignalledOnlyOnChange();
    void savedSurveyReadsBackTheSame();
    void saveTakesTheWindowsPendingEdits();
    void failedSaveLeavesSurveyAndFile();
    void tellsAFileChangedOnDisk();
    void readRefusesWhatTheWorksheetRefuses();
    void datedByFinalThenInitialThenToday_data();
    void datedByFinalThenInitialThenToday();

private:
    QTemporaryDir m_dir;
};

void TestSurvey::modifiedIsSignalledOnlyOnChange() {
    Survey survey(Worksheet::Loading);
    QVERIFY(survey.isUntouched());
    QSignalSpy changed(&survey, &Survey::modifiedChanged);
    survey.setModified(true);
    survey.setModified(true);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!survey.isUntouched());
    survey.setModified(false);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.last().first().toBool(), false);
}

void TestSurvey::savedSurveyReadsBackTheSame() {
    Survey survey(Worksheet::Discharging);
    survey.open(*Survey::read(QStringLiteral(SAMPLES_DIR "/discharging-survey.json")).document,
                QString(), true);
    QVERIFY(survey.isModified());
    QSignalSpy saved(&survey, &Survey::saved);
    const QString path = m_dir.filePath(QStringLiteral("round-trip.calvane"));
    QCOMPARE(survey.save(path), QString());
    QCOMPARE(saved.count(), 1);
    QCOMPARE(survey.filePath(), path);
    QVERIFY(!survey.isModified());
    QVERIFY(!survey.fileChangedOnDisk());
    const SurveyFileResult read = Survey::read(path);
    QCOMPARE(read.error, QString());
    // As typed into the worksheet: rounded as its fields round.
    const SurveyFileResult original =
        Survey::read(QStringLiteral(SAMPLES_DIR "/discharging-survey.json"));
    QVERIFY(*read.document == *original.document);
}

void TestSurvey::saveTakesTheWindowsPendingEdits() {
    Survey survey(Worksheet::Loading);
    survey.open(sample("loading-survey.json"), QString());
    // The window hands over the voyage typed but not yet handed over.
    connect(&survey, &Survey::commitEdits, this, [&survey] {
        SurveyDocument edited = sample("loading-survey.json");
        edited.voyage = QStringLiteral("V-committed");
        survey.setContents(edited);
    });
    const QString path = m_dir.filePath(QStringLiteral("pending.calvane"));
    QCOMPARE(survey.save(path), QString());
    QCOMPARE(Survey::read(path).document->voyage, QStringLiteral("V-committed"));
}

void TestSurvey::failedSaveLeavesSurveyAndFile() {
    Survey survey(Worksheet::Loading);
    const QString path = m_dir.filePath(QStringLiteral("full-disk.calvane"));
    survey.open(sample("loading-survey.json"), QString());
    QCOMPARE(survey.save(path), QString());
    const QByteArray before = bytesOf(path);

    SurveyDocument changed = survey.contents();
    changed.cargo = QStringLiteral("Iron ore fines");
    survey.setContents(changed);
    survey.setModified(true);
    QSignalSpy saved(&survey, &Survey::saved);
    DurableFile::failNextWriteAt(DurableFile::Step::Write);
    const QString error = survey.save(path);
    QVERIFY2(error.contains(QStringLiteral("No space left")), qPrintable(error));
    QVERIFY(survey.isModified());
    QCOMPARE(saved.count(), 0);
    QCOMPARE(bytesOf(path), before);
    // The failed write is not taken for what the file holds.
    QVERIFY(!survey.fileChangedOnDisk());
}

void TestSurvey::tellsAFileChangedOnDisk() {
    Survey survey(Worksheet::Loading);
    const QString path = m_dir.filePath(QStringLiteral("shared.calvane"));
    survey.open(sample("loading-survey.json"), QString());
    QVERIFY(!survey.fileChangedOnDisk());
    QCOMPARE(survey.save(path), QString());
    writeBytes(path, bytesOf(path) + "\n");
    QVERIFY(survey.fileChangedOnDisk());
    QCOMPARE(survey.save(path), QString());
    QVERIFY(!survey.fileChangedOnDisk());
    // Reopened, the survey knows the file as it is now.
    writeBytes(path, bytesOf(path) + "\n");
    survey.open(*Survey::read(path).document, path);
    QVERIFY(!survey.fileChangedOnDisk());
    // A file removed meanwhile holds nothing to lose.
    QFile::remove(path);
    QVERIFY(!survey.fileChangedOnDisk());
}

void TestSurvey::readRefusesWhatTheWorksheetRefuses() {
    SurveyDocument negative = sample("loading-survey.json");
    negative.particulars->lbp = QStringLiteral("-217");
    const QString path = m_dir.filePath(QStringLiteral("negative-lbp.calvane"));
    QCOMPARE(writeSurveyFile(negative, path), QString());
    const SurveyFileResult read = Survey::read(path);
    QVERIFY(!read.document);
    QVERIFY2(read.error.contains(QStringLiteral("lbp")), qPrintable(read.error));
}

void TestSurvey::datedByFinalThenInitialThenToday_data() {
    QTest::addColumn<QString>("initialDate");
    QTest::addColumn<QString>("finalDate");
    QTest::addColumn<QDate>("expected");
    const QDate today(2026, 12, 7);
    QTest::newRow("both") << "01-03-2024"
                          << "04-03-2024" << QDate(2024, 3, 4);
    QTest::newRow("initial only") << "01-03-2024"
                                  << "" << QDate(2024, 3, 1);
    QTest::newRow("final unreadable") << "01-03-2024"
                                      << "31-02-2024" << QDate(2024, 3, 1);
    QTest::newRow("none") << ""
                          << "" << today;
}

void TestSurvey::datedByFinalThenInitialThenToday() {
    QFETCH(QString, initialDate);
    QFETCH(QString, finalDate);
    QFETCH(QDate, expected);
    SurveyDocument document;
    document.initial.date = initialDate;
    document.final.date = finalDate;
    Survey survey(Worksheet::Loading);
    survey.open(document, QString());
    QCOMPARE(survey.surveyDate(QDate(2026, 12, 7)), expected);
}

QTEST_GUILESS_MAIN(TestSurvey)
#include "test_survey.moc"
