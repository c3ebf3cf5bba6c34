// calvane-makedb: creates a register with the tables and the shipped data,
// in a DS.dat or on a PostgreSQL server, or copies one register into another.
#include "create_database.h"
#include "durable_file.h"
#include "errors.h"
#include "register_copy.h"
#include "server_address.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

// The new register at `target`, made by `make`. A file is made beside its
// place and put there only when complete: a full disk leaves a file being
// replaced as it was. A server's database is made in one transaction.
int makeAt(const QString& target, const std::function<void(const QString&)>& make,
           QTextStream& err) {
    const QString built = isServerAddress(target) ? target : DurableFile::temporaryNameFor(target);
    try {
        make(built);
    } catch (const ProgramError& error) {
        err << error.description() << QLatin1Char('\n');
        return 1;
    }
    if (built == target)
        return 0;
    if (const QString error = DurableFile::replaceWith(built, target); !error.isEmpty()) {
        err << error << QLatin1Char('\n');
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Creates a Calvane Lt register with the shipped data, in a file or in an empty "
        "PostgreSQL database, or copies a register into a new one."));
    parser.addHelpOption();
    const QCommandLineOption ifMissing(QStringLiteral("if-missing"),
                                       QStringLiteral("Do nothing when the file exists already."));
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("Replace an existing file."));
    const QCommandLineOption database(
        QStringLiteral("database"),
        QStringLiteral("The register to create: a file or postgresql://user@host:port/dbname."),
        QStringLiteral("where"));
    const QCommandLineOption copy(QStringLiteral("copy"),
                                  QStringLiteral("Fill the new register with a copy of this one "
                                                 "(a file or an address) instead of the shipped "
                                                 "data."),
                                  QStringLiteral("register"));
    parser.addOptions({ifMissing, replace, database, copy});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The database to create (or --database)."));
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList files = parser.positionalArguments();
    if (files.size() + int(parser.isSet(database)) != 1) {
        err << parser.helpText();
        return 2;
    }
    const QString target = parser.isSet(database) ? parser.value(database) : files.constFirst();
    const bool isFile = !isServerAddress(target);
    if (isFile && QFile::exists(target) && parser.isSet(ifMissing))
        return 0;
    if (const QString refusal = refusalForNewDatabase(target, parser.isSet(replace));
        isFile && !refusal.isEmpty()) {
        err << refusal << QLatin1Char('\n');
        return 1;
    }
    if (!parser.isSet(copy))
        return makeAt(
            target, [](const QString& built) { createDatabase(built); }, err);
    return makeAt(
        target,
        [&](const QString& built) {
            for (const TableCount& count : copyRegister(parser.value(copy), built))
                out << count.table << QLatin1Char(' ') << count.rows << QLatin1Char('\n');
        },
        err);
}
