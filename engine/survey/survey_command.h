#pragma once

#include <QStringList>
#include <QTextStream>

// calvane-survey: runs a survey file through the worksheets' calculation
// and prints every figure. `arguments` leave out the program's name.
// 0 when the survey was calculated; 1 when the calculation refused it (an
// incomplete draft, a zero difference, a missing ship); 2 for a bad command
// line or a file that is no survey.
int runSurveyCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
