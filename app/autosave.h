#pragma once

#include <QDir>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class SurveyWorksheet;

// Writes each watched worksheet's survey into a folder of its own while it
// has unsaved changes, so that a crash costs at most one interval of typing.
// A worksheet that closes, or whose changes are saved, leaves no file behind:
// whatever stays in the folder was left by a program that did not end well.
class Autosave : public QObject {
    Q_OBJECT

public:
    static constexpr int intervalMs = 30000;

    // `folder` empty: nothing is written.
    explicit Autosave(const QString& folder, QObject* parent = nullptr);
    ~Autosave() override;

    void watch(SurveyWorksheet& worksheet);
    // One round of writing, as the timer runs it.
    void writeNow();
    // The files left by an earlier run, oldest first.
    QStringList leftBehind() const;
    // The survey file the worksheet that left `copy` belonged to ("" for
    // none), kept beside the copy.
    static QString fileOf(const QString& copy);
    // Removes a copy left behind, with its note of the file.
    static void discard(const QString& copy);
    // A worksheet closing (saved or not, as the user chose) leaves nothing.
    void forget(QObject* worksheet);
    // Its survey saved, the worksheet's copy is of no more use.
    void saved(QObject* worksheet);

private:
    static void writeNote(const QString& note, const QString& surveyFile);

    QDir m_folder;
    bool m_enabled;
    QTimer m_timer;
    QHash<QObject*, QString> m_files;
    QStringList m_ours;
};
