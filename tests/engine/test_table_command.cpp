// calvane-survey tables: a table imported from text after its audit, and
// exported back; a refused table is said and not stored.
#include "create_database.h"
#include "register.h"
#include "table_command.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int status;
    QString out, err;
};

class TableCommandFixture {
public:
    TableCommandFixture() { createDatabase(database()); }
    QString database() const { return m_folder.filePath(QStringLiteral("DS.dat")); }
    QString file(const QString& text) {
        const QString path = m_folder.filePath(QStringLiteral("table%1.txt").arg(++m_files));
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(text.toUtf8());
        return path;
    }
    Run run(QStringList arguments) {
        arguments.prepend(QStringLiteral("tables"));
        arguments << QStringLiteral("--database") << database();
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        const int status = runTablesCommand(arguments, outStream, errStream);
        outStream.flush();
        errStream.flush();
        return {status, out, err};
    }

private:
    QTemporaryDir m_folder;
    int m_files = 0;
};

QStringList args(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* text : list)
        result.append(QString::fromUtf8(text));
    return result;
}

} // namespace

class TestTableCommand : public QObject {
    Q_OBJECT

private slots:
    void importsAndExports_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("exported");
        QTest::newRow("headed csv")
            << "Draft,Disp (t),TPC,LCF (m),MCTC\n7.5,15000,25,2.5,190\n7.6,15250,25.1,2.4,191\n"
            << QStringList()
            << "Draft,Displacement,TPC,LCF,MCTC\n7.5,15000,25,2.5,190\n"
               "7.6,15250,25.1,2.4,191\n";
        // The ship's LBP is 217: amidships lies 108.5 m forward of the AP.
        QTest::newRow("decimal comma, LCF from the AP, columns named")
            << "7,6;15250;106,1;KM 12\n7,5;15000;106;KM 12\n"
            << args({"--decimal-comma", "--lcf-from", "ap", "--lcf-positive", "forward",
                     "--columns", "draft,displacement,lcf,-"})
            << "Draft,Displacement,LCF\n7.5,15000,2.5\n7.6,15250,2.4\n";
    }
    void importsAndExports() {
        QFETCH(QString, text);
        QFETCH(QStringList, options);
        QFETCH(QString, exported);
        TableCommandFixture f;
        const Run imported = f.run(args({"import", "--ship", "1"}) + options << f.file(text));
        QCOMPARE(imported.err, QString());
        QCOMPARE(imported.status, 0);
        QVERIFY(imported.out.contains(QStringLiteral("Table 1 stored for ship 1")));
        const Run out = f.run(args({"export", "--table", "1"}));
        QCOMPARE(out.status, 0);
        QCOMPARE(out.out, exported);
    }

    void refusesAndSays_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("draft twice") << args({"import", "--ship", "1"}) << "7.5,15000\n7.5,15100\n"
                                     << 1 << "Line 2 gives the draft 7.5 m again (line 1).\n"
                                     << "calvane-survey: the table was not stored\n";
        QTest::newRow("a line unread")
            << args({"import", "--ship", "1"})
            << "7.5,15000,25,2.5,190\n7.6,15x,25.1,2.4,191\n7.7,15500,25.2,2.3,192\n"
            << 1 << "Line 2: \"15x\" is no figure for Displacement.\n"
            << "calvane-survey: the table was not stored\n";
        QTest::newRow("unknown ship") << args({"import", "--ship", "99"}) << "7.5,1\n7.6,2\n"
                                      << 1 << ""
                                      << "calvane-survey: ship 99 is not in the register\n";
        QTest::newRow("no ship") << args({"import"}) << "7.5,1\n"
                                 << 2 << ""
                                 << "calvane-survey: no ship given (--ship ID)\n";
        QTest::newRow("columns without a draft")
            << args({"import", "--ship", "1", "--columns", "displacement,tpc"}) << "7.5,1\n"
            << 2 << ""
            << "calvane-survey: --columns does not take \"displacement,tpc\"\n";
        QTest::newRow("density not a number")
            << args({"import", "--ship", "1", "--density", "1,025"}) << "7.5,1\n"
            << 2 << ""
            << "calvane-survey: --density does not take \"1,025\"\n";
    }
    void refusesAndSays() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, text);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        TableCommandFixture f;
        const Run run = f.run(arguments << f.file(text));
        QCOMPARE(run.status, status);
        QCOMPARE(run.out, out);
        QCOMPARE(run.err.section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n'), err);
        QCOMPARE(f.run(args({"list", "--ship", "1"})).out, QString());
    }
};

QTEST_GUILESS_MAIN(TestTableCommand)
#include "test_table_command.moc"
