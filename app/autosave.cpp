#include "autosave.h"

#include "durable_file.h"
#include "message_service.h"
#include "survey.h"
#include "survey_file.h"

#include <QFile>
#include <QUuid>

namespace {

// Beside each copy, the path of the survey file it is a copy of.
QString noteOf(const QString& copy) {
    return copy.chopped(int(qstrlen(".json"))) + QStringLiteral(".file");
}

// Held by the running program the copy belongs to.
QString lockOf(const QString& copy) {
    return copy.chopped(int(qstrlen(".json"))) + QStringLiteral(".lock");
}

} // namespace

Autosave::Autosave(const QString& folder, QObject* parent)
    : QObject(parent), m_folder(folder), m_enabled(!folder.isEmpty()) {
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Autosave::writeNow);
    if (m_enabled)
        m_timer.start();
}

Autosave::~Autosave() {
    // The surveys close before the main window goes; any still watched keep
    // their files for the next start.
    for (auto it = m_files.begin(); it != m_files.end(); ++it)
        disconnect(it.key(), nullptr, this, nullptr);
}

void Autosave::watch(Survey& survey) {
    const QString file = m_folder.filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) +
                                           QStringLiteral(".json"));
    m_files.insert(&survey, file);
    connect(&survey, &QObject::destroyed, this, &Autosave::forget);
    connect(&survey, &Survey::saved, this, [this, &survey] { saved(&survey); });
}

QString Autosave::folder() const {
    return m_enabled ? m_folder.path() : QString();
}

void Autosave::writeNow() {
    if (!m_enabled)
        return;
    for (auto it = m_files.begin(); it != m_files.end(); ++it) {
        auto* watched = qobject_cast<Survey*>(it.key());
        if (!watched->isModified()) {
            discard(it.value());
            continue;
        }
        // A survey the format cannot hold yet (no ship chosen) waits.
        const SurveyDocument& survey = watched->contents();
        if (!parseSurvey(serializeSurvey(survey)).document)
            continue;
        if (!m_folder.exists())
            m_folder.mkpath(QStringLiteral("."));
        QString error =
            lock(it.value())
                ? writeSurveyFile(survey, it.value())
                : QStringLiteral("%1: cannot be locked").arg(QDir::toNativeSeparators(it.value()));
        if (error.isEmpty())
            error = DurableFile::write(noteOf(it.value()), watched->filePath().toUtf8());
        if (error.isEmpty()) {
            m_failureShown = false;
        } else if (!m_failureShown) {
            // Said once, not every round; tried again each round.
            m_failureShown = true;
            showWarning(QStringLiteral("The survey could not be written aside in case of a "
                                       "crash: %1")
                            .arg(error),
                        QStringLiteral("Save it to keep it safe."));
        }
    }
}

bool Autosave::lock(const QString& copy) {
    if (m_locks.count(copy))
        return true;
    auto lock = std::make_unique<QLockFile>(lockOf(copy));
    // Only a program that is gone leaves a stale lock, however old.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_locks.emplace(copy, std::move(lock));
    return true;
}

QStringList Autosave::claimLeftBehind() {
    if (!m_enabled)
        return {};
    removeOrphanLocks();
    QStringList files;
    const QFileInfoList found = m_folder.entryInfoList({QStringLiteral("*.json")}, QDir::Files,
                                                       QDir::Time | QDir::Reversed);
    for (const QFileInfo& file : found) {
        if (!m_locks.count(file.filePath()) && lock(file.filePath()))
            files << file.filePath();
    }
    return files;
}

// The locks of copies a crash kept from being written at all.
void Autosave::removeOrphanLocks() {
    const QFileInfoList locks = m_folder.entryInfoList({QStringLiteral("*.lock")}, QDir::Files);
    for (const QFileInfo& file : locks) {
        const QString copy =
            file.filePath().chopped(int(qstrlen(".lock"))) + QStringLiteral(".json");
        if (QFile::exists(copy) || m_locks.count(copy))
            continue;
        QLockFile orphan(file.filePath());
        orphan.setStaleLockTime(0);
        orphan.tryLock(0);
    }
}

void Autosave::adoptCopy(Survey& survey, const QString& copy) {
    const QString own = m_files.value(&survey);
    if (own == copy)
        return;
    discard(own);
    m_files.insert(&survey, copy);
}

void Autosave::release(const QString& copy) {
    m_locks.erase(copy);
}

void Autosave::forget(QObject* survey) {
    if (m_files.contains(survey))
        discard(m_files.take(survey));
}

void Autosave::saved(QObject* survey) {
    discard(m_files.value(survey));
}

QString Autosave::fileOf(const QString& copy) {
    QFile note(noteOf(copy));
    if (!note.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(note.readAll());
}

void Autosave::discard(const QString& copy) {
    if (copy.isEmpty())
        return;
    QFile::remove(copy);
    QFile::remove(noteOf(copy));
    // The lock goes last, so no other program finds the copy unlocked.
    release(copy);
}
