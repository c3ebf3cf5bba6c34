#pragma once

#include <QString>

class QWidget;

// Where the program asks for the name of a file to write or to read, so
// that tests can answer instead of a dialog.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file, or empty when the user cancelled.
    virtual QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& proposed,
                                   const QString& filter) = 0;
    virtual QString chooseOpenFile(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter) = 0;
};

// The installed chooser: the desktop's file dialogs unless another was
// installed.
FileChooser& fileChooser();
// Installs a chooser the caller keeps alive; nullptr goes back to the dialogs.
void installFileChooser(FileChooser* chooser);
