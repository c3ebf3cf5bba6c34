#include "survey_file_commands.h"

#include "file_chooser.h"
#include "message_service.h"
#include "survey.h"

#include <QFileInfo>

bool SurveyFileCommands::save() {
    return m_survey.filePath().isEmpty() ? saveAs() : saveTo(m_survey.filePath());
}

bool SurveyFileCommands::saveAs() {
    const QString proposed = m_survey.filePath().isEmpty() ? proposedPath() : m_survey.filePath();
    const QString path =
        fileChooser().chooseSaveFile(&m_window, QStringLiteral("Save Survey As"), proposed,
                                     QStringLiteral("Survey files (*.calvane *.json)"));
    return !path.isEmpty() && saveTo(path);
}

bool SurveyFileCommands::saveTo(const QString& path) {
    if (!mayBeSaved())
        return false;
    // Another file's contents are the user's to replace, as the dialog asked.
    if (path == m_survey.filePath() && m_survey.fileChangedOnDisk()) {
        const Message changed{
            MessageIcon::Exclamation, applicationTitle(),
            twoPartText(QStringLiteral("%1 has changed on disk since this worksheet read or "
                                       "saved it.")
                            .arg(QFileInfo(path).fileName()),
                        QStringLiteral("Replace it with this survey?")),
            MessageButtons::YesNo, MessageAnswer::No};
        if (messageService().show(changed) != MessageAnswer::Yes)
            return false;
    }
    if (const QString error = m_survey.save(path); !error.isEmpty()) {
        showWarning(QStringLiteral("The survey was not saved."), error);
        return false;
    }
    return true;
}

bool SurveyFileCommands::mayClose(const std::function<bool()>& saveAnswer) {
    if (!m_survey.isModified())
        return true;
    const QString& file = m_survey.filePath();
    const QString name =
        file.isEmpty() ? QStringLiteral("this survey") : QFileInfo(file).fileName();
    const Message question{MessageIcon::Question, applicationTitle(),
                           twoPartText(QStringLiteral("The changes to %1 are not saved.").arg(name),
                                       QStringLiteral("Save them before closing?")),
                           MessageButtons::SaveDiscardCancel, MessageAnswer::Save};
    switch (messageService().show(question)) {
    case MessageAnswer::Save:
        return saveAnswer();
    case MessageAnswer::Discard:
        return true;
    default:
        return false;
    }
}
