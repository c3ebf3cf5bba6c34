#include "survey_file_report.h"

#include "connection.h"
#include "errors.h"
#include "register_location.h"
#include "survey_command.h"
#include "survey_report_source.h"

namespace {

// The register's file, without making the user's one: a port line is no
// reason to copy the seed.
QString registerFile(const QString& database) {
    if (!database.isEmpty())
        return database;
    RegisterPlaces places = RegisterPlaces::ofThisProgram();
    places.seedFile.clear();
    const RegisterChoice choice = chooseRegister(places);
    return choice.problem.isEmpty() ? choice.file : QString();
}

// Read on a connection of its own: a ship given inline is calculated with
// no register open at all.
RegisterForReport readRegister(const QString& database, const SurveyDocument& survey) {
    const QString file = registerFile(database);
    if (file.isEmpty())
        return {};
    Connection connection(QStringLiteral("calvane-survey-register"));
    try {
        connection.open(file);
    } catch (const ProgramError&) {
        return {};
    }
    return registerForReport(Register(connection), survey);
}

} // namespace

SurveyFileReport reportOfSurveyFile(const QString& file, const QString& database,
                                    QTextStream& err) {
    SurveyFileReport report;
    report.status = runCalculatedSurvey(
        file, database, err,
        [&](const SurveyDocument& survey, const SurveyCalculation& calculation,
            const QStringList&) {
            report.source = surveyReportSource(survey, calculation, readRegister(database, survey));
            return 0;
        });
    return report;
}
