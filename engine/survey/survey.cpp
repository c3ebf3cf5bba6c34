#include "survey.h"

#include "ship_constants.h"
#include "survey_rules.h"

#include <QFile>

namespace {

// The file as it is on disk now; empty when it is missing or unreadable.
QByteArray contentsOf(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(maxSurveyFileBytes + 1);
}

} // namespace

Survey::Survey(Worksheet kind, QObject* parent) : QObject(parent) {
    m_contents.worksheet = kind;
}

const SurveyDocument& Survey::contents() {
    emit commitEdits();
    return m_contents;
}

void Survey::setContents(const SurveyDocument& contents) {
    m_contents = contents;
}

void Survey::setModified(bool modified) {
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

SurveyFileResult Survey::read(const QString& path) {
    SurveyFileResult read = readSurveyFile(path);
    // A negative LBP in a file would otherwise flip every trim correction
    // unseen.
    if (read.document) {
        read.error = applyFieldRules(*read.document);
        if (!read.error.isEmpty())
            read.document.reset();
    }
    return read;
}

void Survey::open(const SurveyDocument& contents, const QString& path, bool modified) {
    m_contents = contents;
    setFile(path, contentsOf(path));
    setModified(modified);
}

void Survey::clear() {
    SurveyDocument blank;
    blank.worksheet = kind();
    open(blank, QString());
}

QString Survey::save(const QString& path) {
    const SurveyDocument& survey = contents();
    if (const QString error = writeSurveyFile(survey, path); !error.isEmpty())
        return error;
    setFile(path, serializeSurvey(survey));
    setModified(false);
    keepShipConstant(survey, path);
    emit saved(path);
    return QString();
}

bool Survey::fileChangedOnDisk() const {
    const QByteArray onDisk = contentsOf(m_filePath);
    return !onDisk.isEmpty() && onDisk != m_fileContents;
}

QDate Survey::surveyDate(const QDate& today) {
    const SurveyDocument& survey = contents();
    for (const QString& typed : {survey.final.date, survey.initial.date}) {
        const QDate date = QDate::fromString(typed, QStringLiteral("dd-MM-yyyy"));
        if (date.isValid())
            return date;
    }
    return today;
}

void Survey::setFile(const QString& path, const QByteArray& contents) {
    m_fileContents = contents;
    if (path == m_filePath)
        return;
    m_filePath = path;
    emit filePathChanged(path);
}
