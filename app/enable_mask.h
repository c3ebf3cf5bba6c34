#pragma once

#include <QString>

// Which shared commands a child window can take, read from the nine-character
// mask it sends. Positions 3, 6 and 8 are separators and carry no meaning.
struct EnabledCommands {
    bool newRecord = false;    // position 1, the first character
    bool save = false;         // position 2
    bool print = false;        // position 4
    bool printPreview = false; // position 5
    bool deleteRecord = false; // position 7
    bool close = false;        // position 9, the last character

    friend bool operator==(const EnabledCommands& a, const EnabledCommands& b) {
        return a.newRecord == b.newRecord && a.save == b.save && a.print == b.print &&
               a.printPreview == b.printPreview && a.deleteRecord == b.deleteRecord &&
               a.close == b.close;
    }
};

// Only an exact "1" enables; any other or a missing character disables. New
// and Close are read from the two ends of the text, whatever its length, as
// the child windows have always relied on.
EnabledCommands readEnableMask(const QString& mask);
