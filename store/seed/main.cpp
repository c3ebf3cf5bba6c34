// calvane-makedb: creates a DS.dat with the tables and the shipped data.
#include "create_database.h"
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
    if (const QString refusal = clearForNewDatabase(file, parser.isSet(replace));
        !refusal.isEmpty()) {
        err << refusal << QLatin1Char('\n');
        return 1;
    }
    try {
        createDatabase(file);
    } catch (const ProgramError& error) {
        err << error.description() << QLatin1Char('\n');
        return 1;
    }
    return 0;
}
