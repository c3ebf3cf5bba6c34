// calvane-makedb: creates a DS.dat with the tables and the shipped data.
#include "create_database.h"
#include "durable_file.h"
#include "errors.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Creates a Calvane Lt database with the shipped data."));
    parser.addHelpOption();
    const QCommandLineOption ifMissing(QStringLiteral("if-missing"),
                                       QStringLiteral("Do nothing when the file exists already."));
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("Replace an existing file."));
    parser.addOption(ifMissing);
    parser.addOption(replace);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The database to create."));
    parser.process(app);

    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1) {
        err << parser.helpText();
        return 2;
    }
    const QString file = parser.positionalArguments().constFirst();
    if (QFile::exists(file) && parser.isSet(ifMissing))
        return 0;
    if (const QString refusal = refusalForNewDatabase(file, parser.isSet(replace));
        !refusal.isEmpty()) {
        err << refusal << QLatin1Char('\n');
        return 1;
    }
    // Made beside the file and put in its place only when complete: a full
    // disk leaves the file replaced as it was.
    const QString built = DurableFile::temporaryNameFor(file);
    try {
        createDatabase(built);
    } catch (const ProgramError& error) {
        err << error.description() << QLatin1Char('\n');
        return 1;
    }
    if (const QString error = DurableFile::replaceWith(built, file); !error.isEmpty()) {
        err << error << QLatin1Char('\n');
        return 1;
    }
    return 0;
}
