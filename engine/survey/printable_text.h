#pragma once

#include <QString>

// The text with every control character written as an escape ("\n", "\t",
// "\x1b", "\u0085"), so that a name or a value from a file can neither break
// a line of the printout nor send the terminal a command.
QString printable(const QString& text);
