#include "survey_command.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runSurveyCommand(application.arguments().mid(1), out, err);
}
