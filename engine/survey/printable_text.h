#pragma once

#include <QString>

// The text with every control character written as an escape ("\n", "\t",
// "\x1b", "\u0085"), so that a name or a value from a file can neither break
// a line of the printout nor send the terminal a command.
QString printable(const QString& text);

// A value quoted in a message: in double quotes, cut after 40 characters
// with its length told, so that a megabyte of digits neither freezes a
// message box nor floods a terminal.
QString quotedValue(const QString& text);
