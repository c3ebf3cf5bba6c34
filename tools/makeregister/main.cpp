// calvane-makeregister: a copy of the seed database with a generated
// register of ports and ships, to try the program at the size of a real
// company's register.
#include "create_database.h"
#include "durable_file.h"
#include "errors.h"
#include "register_generator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTextStream>

namespace {

const char* const ConnectionName = "calvane-makeregister";

// The database beside the programs is the user's own, or the one the build
// will make there: never a generated register.
bool isTheProgramsDatabase(const QString& file) {
    const QFileInfo target(file);
    return target.fileName() == QStringLiteral("DS.dat") &&
           target.absoluteDir().canonicalPath() ==
               QDir(QCoreApplication::applicationDirPath()).canonicalPath();
}

void makeRegister(const QString& file, RegisterSize size, quint64 seed) {
    createDatabase(file);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                    QString::fromLatin1(ConnectionName));
        db.setDatabaseName(file);
        if (!db.open())
            throw ProgramError::storeFailure(QStringLiteral("Cannot open ") + file);
        fillRegister(db, size, seed);
        db.close();
    }
    QSqlDatabase::removeDatabase(QString::fromLatin1(ConnectionName));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Creates a Calvane Lt database with the shipped data and a generated register."));
    parser.addHelpOption();
    const QCommandLineOption ships(QStringLiteral("ships"), QStringLiteral("Ships to add."),
                                   QStringLiteral("count"), QStringLiteral("110000"));
    const QCommandLineOption ports(QStringLiteral("ports"), QStringLiteral("Ports to add."),
                                   QStringLiteral("count"), QStringLiteral("10000"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the generator; the same seed gives "
                                                 "the same register."),
                                  QStringLiteral("number"), QStringLiteral("1"));
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("Replace an existing file."));
    const QCommandLineOption tables(QStringLiteral("tables"),
                                    QStringLiteral("Ships to give a hydrostatic table."),
                                    QStringLiteral("count"), QStringLiteral("0"));
    const QCommandLineOption tableRows(QStringLiteral("table-rows"),
                                       QStringLiteral("Rows of each table, 1 cm apart."),
                                       QStringLiteral("count"), QStringLiteral("1250"));
    parser.addOptions({ships, ports, tables, tableRows, seed, replace});
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The database to create."));
    parser.process(app);

    QTextStream err(stderr);
    bool shipsOk = false;
    bool portsOk = false;
    bool seedOk = false;
    bool tablesOk = false;
    bool rowsOk = false;
    const RegisterSize size{
        parser.value(ports).toInt(&portsOk), parser.value(ships).toInt(&shipsOk),
        parser.value(tables).toInt(&tablesOk), parser.value(tableRows).toInt(&rowsOk)};
    const quint64 seedValue = parser.value(seed).toULongLong(&seedOk);
    if (parser.positionalArguments().size() != 1 || !shipsOk || !portsOk || !seedOk || !tablesOk ||
        !rowsOk || size.ships < 0 || size.ports < 1 || size.tables < 0 || size.tableRows < 2) {
        err << parser.helpText();
        return 2;
    }
    const QString file = parser.positionalArguments().constFirst();
    if (isTheProgramsDatabase(file)) {
        err << file << QStringLiteral(" is the program's own database; choose another file.\n");
        return 1;
    }
    if (const QString refusal = refusalForNewDatabase(file, parser.isSet(replace));
        !refusal.isEmpty()) {
        err << refusal << QLatin1Char('\n');
        return 1;
    }
    // Made beside the file and put in its place only when complete: a full
    // disk leaves the file replaced as it was.
    const QString built = DurableFile::temporaryNameFor(file);
    try {
        makeRegister(built, size, seedValue);
    } catch (const ProgramError& error) {
        QSqlDatabase::removeDatabase(QString::fromLatin1(ConnectionName));
        QFile::remove(built);
        err << error.description() << QLatin1Char('\n');
        return 1;
    }
    if (const QString error = DurableFile::replaceWith(built, file); !error.isEmpty()) {
        err << error << QLatin1Char('\n');
        return 1;
    }
    return 0;
}
