#include "survey_files.h"

#include "autosave.h"
#include "durable_file.h"
#include "errors.h"
#include "file_chooser.h"
#include "frm_mdi.h"
#include "message_service.h"
#include "program_settings.h"
#include "survey.h"
#include "survey_file.h"
#include "survey_ship.h"
#include "survey_worksheet.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

SurveyFiles::SurveyFiles(frmMDI& frame, ProgramSettings& settings, Autosave& autosave)
    : m_frame(frame), m_settings(settings), m_autosave(autosave) {}

void SurveyFiles::adopt(Survey& survey) {
    m_autosave.watch(survey);
    QObject::connect(&survey, &Survey::saved, &m_frame,
                     [this](const QString& path) { m_settings.addRecentSurvey(path); });
}

bool SurveyFiles::open(const QString& path) {
    const SurveyFileResult read = Survey::read(path);
    if (!read.document) {
        showWarning(QStringLiteral("%1 cannot be opened.").arg(QFileInfo(path).fileName()),
                    read.error);
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!show(*read.document, absolute, false))
        return false;
    m_settings.addRecentSurvey(absolute);
    return true;
}

SurveyWorksheet* SurveyFiles::show(const SurveyDocument& survey, const QString& path,
                                   bool unsaved) {
    try {
        const std::optional<int> shipID = shipForSurvey(survey);
        if (!shipID)
            return nullptr;
        SurveyWorksheet* worksheet = m_frame.openSurveyWindow(survey.worksheet);
        if (!worksheet)
            return nullptr;
        worksheet->showSurvey(survey, *shipID, path, unsaved);
        return worksheet;
    } catch (const ProgramError& error) {
        showErrorWithSource(error.description(), QStringLiteral("frmMDI::OpenSurvey"));
        return nullptr;
    }
}

void SurveyFiles::chooseAndOpen() {
    const QStringList recent = m_settings.recentSurveys();
    const QString folder = recent.isEmpty() ? QString() : QFileInfo(recent.first()).path();
    const QString path =
        fileChooser().chooseOpenFile(&m_frame, QStringLiteral("Open Survey"), folder,
                                     QStringLiteral("Survey files (*.calvane *.json)"));
    if (!path.isEmpty())
        open(path);
}

void SurveyFiles::fillRecentMenu(QMenu& menu) {
    menu.clear();
    const QStringList recent = m_settings.recentSurveys();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent.at(i);
        QAction* item = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        QObject::connect(item, &QAction::triggered, &m_frame, [this, path] {
            // A file gone since is dropped from the list once it is named.
            if (!open(path) && !QFileInfo::exists(path))
                m_settings.removeRecentSurvey(path);
        });
    }
    menu.setEnabled(!recent.isEmpty());
}

void SurveyFiles::offerRecovery() {
    removeInterruptedSaves();
    for (const QString& file : m_autosave.claimLeftBehind()) {
        // One this program cannot read stays for one that can.
        const SurveyFileResult read = readSurveyFile(file);
        if (!read.document) {
            m_autosave.release(file);
            continue;
        }
        const SurveyDocument& survey = *read.document;
        const QString when =
            QFileInfo(file).lastModified().toString(QStringLiteral("dd-MM-yyyy HH:mm"));
        const MessageAnswer answer = messageService().show(
            Message{MessageIcon::Question, applicationTitle(),
                    twoPartText(QStringLiteral("A %1 survey (voyage %2) was not saved when Calvane "
                                               "Lt last ended; its last copy is from %3.")
                                    .arg(survey.worksheet == Worksheet::Loading
                                             ? QStringLiteral("loading")
                                             : QStringLiteral("discharging"),
                                         survey.voyage, when),
                                QStringLiteral("Reopen it? No discards it.")),
                    MessageButtons::YesNo, MessageAnswer::Yes});
        if (answer != MessageAnswer::Yes) {
            m_autosave.discard(file);
            continue;
        }
        // Reopened, the copy is the worksheet's own until the survey is
        // saved: a second crash before the next round must not lose it.
        if (SurveyWorksheet* worksheet = show(survey, m_autosave.fileOf(file), true))
            m_autosave.adoptCopy(worksheet->survey(), file);
        else
            m_autosave.release(file);
    }
}

void SurveyFiles::removeInterruptedSaves() {
    // A save a minute old is no longer being written by anyone.
    using namespace std::chrono_literals;
    QStringList folders{m_autosave.folder()};
    for (const QString& recent : m_settings.recentSurveys())
        folders << QFileInfo(recent).path();
    folders.removeDuplicates();
    for (const QString& folder : folders)
        DurableFile::removeStaleTemporaries(folder, 60s);
}
