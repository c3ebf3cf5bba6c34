#include "report_command.h"

#include "connection.h"
#include "durable_file.h"
#include "errors.h"
#include "report_fill.h"
#include "report_options.h"
#include "report_pdf.h"
#include "survey_command.h"
#include "survey_file_report.h"

namespace {

const char usage[] =
    "Usage: calvane-survey report [--database WHERE] [--no-calculation-sheet] SURVEY-FILE\n"
    "                             --pdf OUT.pdf\n"
    "\n"
    "Calculates a draft survey saved as a survey file, as `compute` does, and\n"
    "writes its loadport or discharge port draft survey report, one A4 page\n"
    "followed by the calculation sheet (every step from the readings to the\n"
    "cargo), to OUT.pdf, a PDF/A-1b whose author is the surveyor of the\n"
    "desktop program's settings.\n"
    "\n"
    "  --no-calculation-sheet  the report's page alone, whatever the settings say\n"
    "  --pdf FILE       the PDF file to write (replaced whole, or left as it was;\n"
    "                   never the survey file or the database)\n"
    "  --database WHERE the register holding the survey's ship when the file names\n"
    "                   it by \"shipId\", and the ports whose country the report\n"
    "                   prints (default: the desktop program's register, DS.dat\n"
    "                   beside the program or ~/.local/share/calvane/DS.dat);\n"
    "                   a file, or a server as postgresql://user@host:port/dbname\n"
    "\n"
    "Exit status: 0 written; 1 the calculation refused the survey or the report\n"
    "could not be made or written; 2 a bad command line, a file that is not a\n"
    "survey, or a PDF file that is the survey file or the database.\n";

struct Options {
    QString file, pdf, database;
    bool calculationSheet = true;
};

std::optional<Options> parse(const QStringList& arguments, QString& problem) {
    Options options;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--pdf") && i + 1 < arguments.size()) {
            options.pdf = arguments[++i];
        } else if (arguments[i] == QStringLiteral("--no-calculation-sheet")) {
            options.calculationSheet = false;
        } else if (!readSurveyArgument(arguments, i, options.file, options.database, problem)) {
            return std::nullopt;
        }
    }
    if (options.file.isEmpty())
        problem = QStringLiteral("no survey file given");
    else if (options.pdf.isEmpty())
        problem = QStringLiteral("no PDF file given (--pdf OUT.pdf)");
    return problem.isEmpty() ? std::optional(options) : std::nullopt;
}

// The PDF replaces its file whole: never a file the survey is read from,
// however it is named.
QString outputOverInput(const Options& options) {
    const QString database =
        options.database.isEmpty() ? databaseFileIn(applicationFolder()) : options.database;
    if (DurableFile::sameFile(options.pdf, options.file))
        return QStringLiteral("the PDF file %1 is the survey file %2; choose another")
            .arg(options.pdf, options.file);
    if (DurableFile::sameFile(options.pdf, database))
        return QStringLiteral("the PDF file %1 is the database %2; choose another")
            .arg(options.pdf, database);
    return QString();
}

} // namespace

int runReportCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (printedHelp(arguments, usage, out))
        return checkWritten(out, err);
    QString problem;
    const std::optional<Options> options = parse(arguments, problem);
    if (!options)
        return badCommandLine(problem, usage, 2, err);
    if (const QString clash = outputOverInput(*options); !clash.isEmpty())
        return refuse(err, 2, clash);
    const SurveyFileReport report = reportOfSurveyFile(options->file, options->database, err);
    if (!report.source)
        return report.status;
    ReportOptions saved = savedReportOptions();
    saved.calculationSheet = saved.calculationSheet && options->calculationSheet;
    try {
        saveReportPdf(fillReport(*report.source, saved), options->pdf);
    } catch (const ProgramError& error) {
        return refuse(err, 1, error.description());
    }
    return 0;
}
