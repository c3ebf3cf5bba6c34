#include "survey_command.h"

#include "connection.h"
#include "create_database.h"
#include "errors.h"
#include "message_service.h"
#include "rowset.h"
#include "ship.h"
#include "survey_calculation.h"
#include "survey_file.h"
#include "survey_printout.h"
#include "survey_rules.h"

#include <QTemporaryDir>

namespace {

const char usage[] =
    "Usage: calvane-survey compute [--json] [--database FILE] SURVEY-FILE\n"
    "       calvane-survey --help\n"
    "\n"
    "Calculates a draft survey saved as a survey file, exactly as the loading or\n"
    "discharging worksheet calculates it (the Initial draft, then the Final\n"
    "draft), and prints the corrected drafts, the interpolation, the displacement\n"
    "corrections, the net displacements and the constant and cargo, with every\n"
    "warning the worksheet would show.\n"
    "\n"
    "  --json           print every figure at full precision as JSON\n"
    "  --database FILE  the database holding the survey's ship when the file names\n"
    "                   it by \"shipId\" (default: DS.dat beside the program)\n"
    "\n"
    "Exit status: 0 calculated; 1 the calculation refused the survey (incomplete\n"
    "draft, zero difference in the hydrostatic lines, unknown ship); 2 a bad\n"
    "command line or a file that is not a survey.\n";

struct Options {
    bool json = false;
    QString database;
    QString file;
};

// Opens the shared connection on the survey's ship: the given database for
// a ship named by its key, a scratch database for one given inline.
class SurveyDatabase {
public:
    ~SurveyDatabase() { gcnnStore.reset(); }

    // The ship's key, or raises ProgramError.
    int open(const SurveyDocument& survey, const QString& databaseFile) {
        if (survey.shipID) {
            connect(databaseFile.isEmpty() ? databaseFileIn(applicationFolder()) : databaseFile);
            return *survey.shipID;
        }
        if (!m_scratch.isValid())
            throw ProgramError::storeFailure(QStringLiteral("no folder for a scratch database"));
        const QString file = databaseFileIn(m_scratch.path());
        createDatabase(file);
        connect(file);
        const ShipParticulars& ship = *survey.particulars;
        gcnnStore->execute(
            QStringLiteral("INSERT INTO Ship (ShipName, LBP, LightShip) VALUES (?, ?, ?)"),
            {Variant(ship.name), Variant(Decimal::fromText(ship.lbp)),
             Variant(Decimal::fromText(ship.lightShip))});
        RowSet added;
        added.open(QStringLiteral("SELECT MAX(ShipID) AS ShipID FROM Ship"), *gcnnStore);
        return int(added.field(QStringLiteral("ShipID")).toWhole());
    }

private:
    static void connect(const QString& file) {
        gcnnStore = std::make_unique<Connection>(QStringLiteral("calvane-survey"));
        gcnnStore->open(file);
    }

    QTemporaryDir m_scratch;
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
        } else if (argument == QStringLiteral("--database") && i + 1 < arguments.size()) {
            options.database = arguments[++i];
        } else if (argument.startsWith(u'-') || !options.file.isEmpty()) {
            problem = QStringLiteral("unexpected argument: ") + argument;
            return std::nullopt;
        } else {
            options.file = argument;
        }
    }
    if (options.file.isEmpty()) {
        problem = QStringLiteral("no survey file given");
        return std::nullopt;
    }
    return options;
}

bool shipExists(int shipID) {
    clsShip ship;
    if (ship.SetShip(shipID) != 1)
        return false;
    try {
        ship.ShipName();
        return true;
    } catch (const ProgramError&) {
        return false;
    }
}

} // namespace

int runSurveyCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        out << QString::fromLatin1(usage);
        return 0;
    }
    QString problem;
    const std::optional<Options> options = parse(arguments, problem);
    if (!options) {
        err << "calvane-survey: " << problem << "\n"
            << QString::fromLatin1(usage).section(u'\n', 0, 1) << "\n";
        return 2;
    }
    const SurveyFileResult read = readSurveyFile(options->file);
    if (!read.document) {
        err << "calvane-survey: " << options->file << ": " << read.error << "\n";
        return 2;
    }
    SurveyDocument survey = *read.document;
    if (const QString refused = applyFieldRules(survey); !refused.isEmpty()) {
        err << "calvane-survey: " << refused << "\n";
        return 1;
    }

    ScopedMessageRecorder messages;
    SurveyDatabase database;
    try {
        const int shipID = database.open(survey, options->database);
        if (!shipExists(shipID)) {
            err << "calvane-survey: ship " << shipID << " is not in the database\n";
            return 1;
        }
        SurveyCalculation calculation(survey, shipID);
        if (const QString reason = calculation.run(); !reason.isEmpty()) {
            err << "calvane-survey: " << reason << "\n";
            return 1;
        }
        QStringList warnings;
        for (const QString& text : messages.texts())
            warnings.append(oneLine(text));
        if (options->json)
            out << QString::fromUtf8(surveyAsJson(survey, calculation, warnings));
        else
            out << surveyAsText(survey, calculation, warnings);
    } catch (const ProgramError& error) {
        err << "calvane-survey: " << oneLine(error.description()) << "\n";
        return 1;
    }
    return 0;
}
