#pragma once

#include "file_chooser.h"

#include <QStringList>

// Answers the file dialogs with names given in advance, installed for the
// life of the scope; an empty answer is a cancel.
class ScriptedFileChooser : public FileChooser {
public:
    ScriptedFileChooser() { installFileChooser(this); }
    ~ScriptedFileChooser() override { installFileChooser(nullptr); }
    ScriptedFileChooser(const ScriptedFileChooser&) = delete;
    ScriptedFileChooser& operator=(const ScriptedFileChooser&) = delete;

    QString chooseSaveFile(QWidget*, const QString&, const QString& offered,
                           const QString&) override {
        proposed = offered;
        return next();
    }
    QString chooseOpenFile(QWidget*, const QString&, const QString&, const QString&) override {
        return next();
    }

    QStringList answers;
    QString proposed;
    int asked = 0;

private:
    QString next() {
        ++asked;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};
