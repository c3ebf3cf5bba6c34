#include "autosave.h"

#include "survey_file.h"
#include "survey_worksheet.h"

#include <QFile>
#include <QSaveFile>
#include <QUuid>

namespace {

// Beside each copy, the path of the survey file it is a copy of.
QString noteOf(const QString& copy) {
    return copy.chopped(int(qstrlen(".json"))) + QStringLiteral(".file");
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
    // The worksheets close before the main window goes; any still watched
    // keep their files for the next start.
    for (auto it = m_files.begin(); it != m_files.end(); ++it)
        disconnect(it.key(), nullptr, this, nullptr);
}

void Autosave::watch(SurveyWorksheet& worksheet) {
    const QString file = m_folder.filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) +
                                           QStringLiteral(".json"));
    m_files.insert(&worksheet, file);
    m_ours.append(QFileInfo(file).fileName());
    connect(&worksheet, &QObject::destroyed, this, &Autosave::forget);
}

void Autosave::writeNow() {
    if (!m_enabled)
        return;
    for (auto it = m_files.begin(); it != m_files.end(); ++it) {
        auto* worksheet = qobject_cast<SurveyWorksheet*>(it.key());
        if (!worksheet->hasUnsavedChanges()) {
            discard(it.value());
            continue;
        }
        if (!m_folder.exists())
            m_folder.mkpath(QStringLiteral("."));
        // A survey the format cannot hold yet (no ship chosen) waits; a
        // folder that cannot be written is tried again next round.
        if (writeSurveyFile(worksheet->surveyDocument(), it.value()).isEmpty())
            writeNote(noteOf(it.value()), worksheet->filePath());
    }
}

QStringList Autosave::leftBehind() const {
    if (!m_enabled)
        return {};
    QStringList files;
    const QFileInfoList found = m_folder.entryInfoList({QStringLiteral("*.json")}, QDir::Files,
                                                       QDir::Time | QDir::Reversed);
    for (const QFileInfo& file : found) {
        if (!m_ours.contains(file.fileName()))
            files << file.filePath();
    }
    return files;
}

void Autosave::forget(QObject* worksheet) {
    if (m_files.contains(worksheet))
        discard(m_files.take(worksheet));
}

void Autosave::saved(QObject* worksheet) {
    discard(m_files.value(worksheet));
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
}

void Autosave::writeNote(const QString& note, const QString& surveyFile) {
    QSaveFile file(note);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(surveyFile.toUtf8());
        file.commit();
    }
}
