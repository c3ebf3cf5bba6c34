#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The desktop programs the Tools and Help menus hand work to. None of them
// is waited for; when one cannot be started the user is told why.

// The usual calculators and text editors of Linux desktops, in the order
// they are tried.
QStringList calculatorPrograms();
QStringList textEditorPrograms();

// The first of the programs found on the search path, or an empty text.
QString findFirstProgram(const QStringList& candidates);

void startCalculator();
void startTextEditor();

// The user guide: in the help folder beside the program, or where the
// package installs it.
QString helpDocumentIn(const QString& applicationFolder);
void openHelpContents(const QString& applicationFolder);

// A web page or mail address, with the desktop's handler for it.
void openAddress(const QUrl& address);
