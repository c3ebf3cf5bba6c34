#pragma once

#include "survey_document.h"
#include "survey_file.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QString>

// The survey being worked on: what it holds, the file it belongs to and
// whether it holds changes that file lacks. A worksheet shows and edits it;
// autosave, the file commands and the main window talk to it.
class Survey : public QObject {
    Q_OBJECT

public:
    explicit Survey(Worksheet kind, QObject* parent = nullptr);

    Worksheet kind() const { return m_contents.worksheet; }
    // What the survey holds once the window showing it has handed over its
    // pending edits (see commitEdits).
    const SurveyDocument& contents();
    // Takes what the window shows now; the modified flag is left as it is.
    void setContents(const SurveyDocument& contents);

    QString filePath() const { return m_filePath; }
    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    // True while the survey shows nothing but what it was made with: no
    // file, no change.
    bool isUntouched() const { return m_filePath.isEmpty() && !m_modified; }

    // Reads a survey file, refusing what a worksheet would refuse if typed.
    // The document, or one line saying why not.
    static SurveyFileResult read(const QString& path);
    // The survey becomes `contents` read from `path` ("" for none):
    // unmodified, unless it was recovered from a copy (`modified`).
    void open(const SurveyDocument& contents, const QString& path, bool modified = false);
    // A new survey of the same kind, of no file yet.
    void clear();
    // Writes the survey to `path`, which becomes its file. Empty when
    // saved; otherwise why, and the survey stays as it was.
    QString save(const QString& path);
    // Whether the survey's file holds something other than what this survey
    // last read from it or wrote to it: another window or program wrote it.
    bool fileChangedOnDisk() const;

    // The day the survey is dated by: the Final draft's, else the Initial
    // draft's, else `today`.
    QDate surveyDate(const QDate& today);

signals:
    // Ask the window showing the survey to hand over what it holds.
    void commitEdits();
    void modifiedChanged(bool modified);
    void filePathChanged(const QString& path);
    // Written to `path` by save().
    void saved(const QString& path);

private:
    void setFile(const QString& path, const QByteArray& contents);

    SurveyDocument m_contents;
    QString m_filePath;
    // What the file held when last read or written here.
    QByteArray m_fileContents;
    bool m_modified = false;
};
