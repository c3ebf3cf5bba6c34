#pragma once

#include <QDir>
#include <QHash>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <map>
#include <memory>

class Survey;

// Writes each watched survey into a folder of its own while it has unsaved
// changes, so that a crash costs at most one interval of typing. A survey
// that closes, or whose changes are saved, leaves no file behind:
// whatever stays in the folder was left by a program that did not end well.
class Autosave : public QObject {
    Q_OBJECT

public:
    static constexpr int intervalMs = 30000;

    // `folder` empty: nothing is written.
    explicit Autosave(const QString& folder, QObject* parent = nullptr);
    ~Autosave() override;

    QString folder() const;
    void watch(Survey& survey);
    // One round of writing, as the timer runs it.
    void writeNow();
    // The copies left by a run that did not end well, oldest first: those
    // whose program is gone. Each comes locked to this run, to be adopted,
    // released or discarded; another running copy's files are not listed.
    QStringList claimLeftBehind();
    // A claimed copy, reopened as `survey`, becomes its own: kept until the
    // survey is saved or closes.
    void adoptCopy(Survey& survey, const QString& copy);
    // Lets go of a claimed copy, left for a later run.
    void release(const QString& copy);
    // Removes a copy (claimed or this run's) with its note.
    void discard(const QString& copy);
    // The survey file the worksheet that left `copy` belonged to ("" for
    // none), kept beside the copy.
    static QString fileOf(const QString& copy);
    // A survey closing (saved or not, as the user chose) leaves nothing.
    void forget(QObject* survey);
    // Saved, the survey's copy is of no more use.
    void saved(QObject* survey);

private:
    bool lock(const QString& copy);
    void removeOrphanLocks();

    QDir m_folder;
    bool m_enabled;
    bool m_failureShown = false;
    QTimer m_timer;
    QHash<QObject*, QString> m_files;
    // Held for the life of each copy: while it is, no other running
    // program takes the copy for a crash's.
    std::map<QString, std::unique_ptr<QLockFile>> m_locks;
};
