#pragma once

#include <QStringList>
#include <QTextStream>
#include <functional>

class SurveyCalculation;
struct SurveyDocument;

// calvane-survey: runs a survey file through the worksheets' calculation
// and prints every figure. `arguments` leave out the program's name.
// 0 when the survey was calculated (also when its Final draft is not taken
// yet); 1 when the calculation refused it (an incomplete draft, a zero
// difference, an overflow, a missing or damaged ship); 2 for a bad command
// line, a file that is no survey, or output that could not be written.
int runSurveyCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

// What a command does with a survey both of whose drafts were calculated,
// given the warnings the calculation showed; returns the exit status.
using CalculatedSurveyAction =
    std::function<int(const SurveyDocument& survey, const SurveyCalculation& calculation,
                      const QStringList& warnings)>;

// Reads the survey file, opens the register of a ship named by its key
// (`databaseFile`, or the desktop program's when empty; none for a ship
// given inline), calculates both drafts and hands them to the action. Exit
// status and reasons on `err` as runSurveyCommand's; the action's status
// otherwise.
int runCalculatedSurvey(const QString& file, const QString& databaseFile, QTextStream& err,
                        const CalculatedSurveyAction& action);

// The shared connection a command works on, closed when done.
class CommandRegister {
public:
    CommandRegister() = default;
    ~CommandRegister();
    CommandRegister(const CommandRegister&) = delete;
    CommandRegister& operator=(const CommandRegister&) = delete;

    // `databaseFile`, or the register the desktop program would open.
    // Raises ProgramError.
    void open(const QString& databaseFile);
};

// The one line of a refusal on standard error, control characters
// escaped; returns the exit status.
int refuse(QTextStream& err, int status, const QString& reason);
// 0 when everything written to `out` reached it; else 2, said on `err`.
int checkWritten(QTextStream& out, QTextStream& err);

// Takes `arguments[i]` as the survey file or as --database FILE (moving i
// past its value), the two every survey command reads. False, with
// `problem` said, for any other argument or a --database without a name.
bool readSurveyArgument(const QStringList& arguments, int& i, QString& file, QString& database,
                        QString& problem);

// Prints the usage when the arguments ask for help (--help or -h); true
// when it did.
bool printedHelp(const QStringList& arguments, const char* usageText, QTextStream& out);
// Says what is wrong with the command line and the first lines of the
// usage; the exit status for it, 2.
int badCommandLine(const QString& problem, const char* usageText, int usageLines, QTextStream& err);
