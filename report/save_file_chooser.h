#pragma once

#include <QString>

class QWidget;

// Where the program asks for the name of a file to write, so that tests can
// answer instead of a dialog.
class SaveFileChooser {
public:
    virtual ~SaveFileChooser() = default;
    // The chosen file, or empty when the user cancelled.
    virtual QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& proposed,
                                   const QString& filter) = 0;
};

// The installed chooser: the desktop's file dialog unless another was
// installed.
SaveFileChooser& saveFileChooser();
// Installs a chooser the caller keeps alive; nullptr goes back to the dialog.
void installSaveFileChooser(SaveFileChooser* chooser);
