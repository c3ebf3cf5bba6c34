#include "survey_command.h"

#include "connection.h"
#include "errors.h"
#include "message.h"
#include "particular_rules.h"
#include "printable_text.h"
#include "register.h"
#include "register_location.h"
#include "ship.h"
#include "ship_constants.h"
#include "survey_assessment.h"
#include "survey_calculation.h"
#include "survey_file.h"
#include "survey_printout.h"
#include "survey_rules.h"
#include "table_rows.h"

#include <QIODevice>

namespace {

const char usage[] =
    "Usage: calvane-survey compute [--json] [--database WHERE] SURVEY-FILE\n"
    "       calvane-survey report [--database WHERE] [--no-calculation-sheet] SURVEY-FILE "
    "--pdf OUT.pdf\n"
    "       calvane-survey tables import|list|export ... (see tables --help)\n"
    "       calvane-survey --help | --version\n"
    "\n"
    "Calculates a draft survey saved as a survey file, exactly as the loading or\n"
    "discharging worksheet calculates it (the Initial draft, then the Final\n"
    "draft), and prints the corrected drafts, the interpolation, the displacement\n"
    "corrections, the net displacements and the constant and cargo, with every\n"
    "warning the worksheet would show, the readings and results that look wrong\n"
    "(\"check (CODE): ...\") and the cargo's uncertainty at 95 %. A survey whose\n"
    "Final draft is not taken yet is calculated as far as the Initial draft goes\n"
    "(the constant of a loading survey, cargo + constant of a discharging one);\n"
    "the results that need the Final draft stay blank and a note says so.\n"
    "\n"
    "  --json           print every figure at full precision as JSON\n"
    "  --database WHERE the register holding the survey's ship when the file names\n"
    "                   it by \"shipId\" (default: the desktop program's register,\n"
    "                   DS.dat beside the program or ~/.local/share/calvane/DS.dat);\n"
    "                   a file, or a server as postgresql://user@host:port/dbname\n"
    "\n"
    "Exit status: 0 calculated (also without the Final draft); 1 the calculation\n"
    "refused the survey (incomplete draft, zero difference in the hydrostatic\n"
    "lines, a value too large to calculate with, a ship that is unknown, damaged\n"
    "in the database, without an LBP or light ship, or with one the ship window\n"
    "refuses); 2 a bad command line, a file that\n"
    "is not a survey (also a folder, a device, or over 4 MB), or output that\n"
    "could not be written. Control characters from the file are printed escaped.\n";

struct Options {
    bool json = false;
    QString database;
    QString file;
};

std::optional<Options> parse(const QStringList& arguments, QString& problem) {
    if (arguments.value(0) != QStringLiteral("compute")) {
        problem = arguments.isEmpty() ? QStringLiteral("no command given")
                                      : QStringLiteral("unknown command: ") + arguments.first();
        return std::nullopt;
    }
    Options options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--json")) {
            options.json = true;
        } else if (!readSurveyArgument(arguments, i, options.file, options.database, problem)) {
            return std::nullopt;
        }
    }
    if (options.file.isEmpty()) {
        problem = QStringLiteral("no survey file given");
        return std::nullopt;
    }
    return options;
}

// Empty when the ship can be surveyed, otherwise why not.
QString shipProblem(int shipID) {
    clsShip ship;
    if (ship.SetShip(shipID) != 1)
        return QStringLiteral("ship %1 cannot be read from the database: %2")
            .arg(shipID)
            .arg(oneLine(ship.lastError().text));
    try {
        ship.ShipID();
    } catch (const ProgramError&) {
        return QStringLiteral("ship %1 is not in the database").arg(shipID);
    }
    QString name;
    try {
        name = ship.ShipName();
    } catch (const ProgramError&) {
        return QStringLiteral("ship %1 has no name in the database").arg(shipID);
    }
    if (ship.LBP().isNull())
        return QStringLiteral("ship %1 (%2) has no LBP in the database, and the drafts cannot be "
                              "corrected without it")
            .arg(shipID)
            .arg(name);
    if (ship.LightShip().isNull())
        return QStringLiteral("ship %1 (%2) has no light ship in the database, and a survey "
                              "without a light ship has no constant")
            .arg(shipID)
            .arg(name);
    if (const QString broken =
            surveyedParticularsProblem(ship.LBP().toText(), ship.LightShip().toText());
        !broken.isEmpty())
        return QStringLiteral("ship %1 (%2) in the database: %3").arg(shipID).arg(name, broken);
    return QString();
}

// A draft whose file gives no hydrostatic rows takes them from the stored
// ship's table; empty, or why the table cannot give them.
QString takeTableRows(SurveyDocument& survey) {
    const Register records(*gcnnStore);
    const std::optional<ShipTable> table = records.surveyTable(*survey.shipID);
    if (!table)
        return QString();
    const Decimal lbp = *records.ship(*survey.shipID)->lbp;
    for (DraftEntry* entry : {&survey.initial, &survey.final}) {
        QString said;
        if (hydrostaticsBlank(*entry) && readingsTaken(*entry) &&
            !takeRowsFromTable(*entry, *table, lbp, said))
            return QStringLiteral("ship %1's hydrostatic table: %2").arg(*survey.shipID).arg(said);
    }
    return QString();
}

} // namespace

CommandRegister::~CommandRegister() {
    gcnnStore.reset();
}

void CommandRegister::open(const QString& databaseFile) {
    gcnnStore = std::make_unique<Connection>(QStringLiteral("calvane-survey"));
    if (!databaseFile.isEmpty()) {
        gcnnStore->open(databaseFile);
        return;
    }
    // The register the desktop program would open.
    const RegisterChoice choice = chooseRegister(RegisterPlaces::ofThisProgram());
    if (!choice.problem.isEmpty())
        throw ProgramError::storeFailure(choice.problem);
    gcnnStore->open(choice.file);
}

// The one line of a refusal on standard error; returns the exit status.
int refuse(QTextStream& err, int status, const QString& reason) {
    err << "calvane-survey: " << printable(reason) << "\n";
    err.flush();
    return status;
}

// 0 when everything written to `out` reached it; a full disk or a closed
// pipe must not pass for a calculated survey.
int checkWritten(QTextStream& out, QTextStream& err) {
    out.flush();
    if (out.status() == QTextStream::Ok)
        return 0;
    const QIODevice* device = out.device();
    return refuse(err, 2,
                  QStringLiteral("cannot write the output: ") +
                      (device ? device->errorString() : QStringLiteral("write failed")));
}

int runCalculatedSurvey(const QString& file, const QString& databaseFile, QTextStream& err,
                        const CalculatedSurveyAction& action) {
    const SurveyFileResult read = readSurveyFile(file);
    if (!read.document)
        return refuse(err, 2, file + QStringLiteral(": ") + read.error);
    SurveyDocument survey = *read.document;
    if (const QString refused = applyFieldRules(survey); !refused.isEmpty())
        return refuse(err, 1, refused);

    CommandRegister shared;
    try {
        // Particulars given inline passed the field rules; a stored ship
        // has to pass them here.
        std::unique_ptr<SurveyCalculation> calculation;
        if (survey.shipID) {
            shared.open(databaseFile);
            if (const QString shipRefused = shipProblem(*survey.shipID); !shipRefused.isEmpty())
                return refuse(err, 1, shipRefused);
            if (const QString tableRefused = takeTableRows(survey); !tableRefused.isEmpty())
                return refuse(err, 1, tableRefused);
            calculation = std::make_unique<SurveyCalculation>(survey, *survey.shipID);
        } else {
            calculation = std::make_unique<SurveyCalculation>(survey);
        }
        if (const QString reason = calculation->run(); !reason.isEmpty())
            return refuse(err, 1, reason);
        return action(survey, *calculation, calculation->warnings());
    } catch (const ProgramError& error) {
        return refuse(err, 1, oneLine(error.description()));
    }
}

bool readSurveyArgument(const QStringList& arguments, int& i, QString& file, QString& database,
                        QString& problem) {
    const QString& argument = arguments[i];
    if (argument == QStringLiteral("--database") && i + 1 < arguments.size()) {
        database = arguments[++i];
        // Never the database beside the program in place of a name lost
        // to an unset shell variable.
        if (database.isEmpty())
            problem = QStringLiteral("--database needs a file name");
    } else if (argument.startsWith(u'-') || !file.isEmpty()) {
        problem = QStringLiteral("unexpected argument: ") + argument;
    } else {
        file = argument;
    }
    return problem.isEmpty();
}

bool printedHelp(const QStringList& arguments, const char* usageText, QTextStream& out) {
    if (!arguments.contains(QStringLiteral("--help")) && !arguments.contains(QStringLiteral("-h")))
        return false;
    out << QString::fromLatin1(usageText);
    return true;
}

int badCommandLine(const QString& problem, const char* usageText, int usageLines,
                   QTextStream& err) {
    const int status = refuse(err, 2, problem);
    err << QString::fromLatin1(usageText).section(u'\n', 0, usageLines - 1) << "\n";
    return status;
}

int runSurveyCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (printedHelp(arguments, usage, out))
        return checkWritten(out, err);
    QString problem;
    const std::optional<Options> options = parse(arguments, problem);
    if (!options)
        return badCommandLine(problem, usage, 2, err);
    return runCalculatedSurvey(
        options->file, options->database, err,
        [&](const SurveyDocument& survey, const SurveyCalculation& calculation,
            const QStringList& warnings) {
            QStringList refused;
            const SurveyLimits limits = savedSurveyLimits(refused);
            for (const QString& setting : refused)
                err << "calvane-survey: " << setting << '\n';
            const SurveyAssessment assessment = assessSurvey(
                survey, calculation, earlierShipConstants(survey, options->file), limits);
            if (options->json)
                out << QString::fromUtf8(surveyAsJson(survey, calculation, warnings, assessment));
            else
                out << surveyAsText(survey, calculation, warnings, assessment);
            return checkWritten(out, err);
        });
}
