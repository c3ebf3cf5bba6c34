#pragma once

#include <QStringList>
#include <QTextStream>

// calvane-survey: runs a survey file through the worksheets' calculation
// and prints every figure. `arguments` leave out the program's name.
// 0 when the survey was calculated (also when its Final draft is not taken
// yet); 1 when the calculation refused it (an incomplete draft, a zero
// difference, an overflow, a missing or damaged ship); 2 for a bad command
// line, a file that is no survey, or output that could not be written.
int runSurveyCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
