#pragma once

#include <QString>
#include <functional>

class QWidget;
class Survey;

// Save, Save As and the question before closing, for the survey a window
// shows. The window says whether what it holds may be saved now and what
// the first Save proposes; the survey document does the writing.
class SurveyFileCommands {
public:
    SurveyFileCommands(Survey& survey, QWidget& window) : m_survey(survey), m_window(window) {}

    // Whether the survey may be saved as it stands; says why not itself.
    std::function<bool()> mayBeSaved;
    // Where the first Save proposes to write the survey.
    std::function<QString()> proposedPath;

    // To the survey's file, or Save As when it has none. False when
    // nothing was saved.
    bool save();
    // Asks for a file; false when nothing was saved.
    bool saveAs();
    // Save / Discard / Cancel when there are changes: false when the window
    // is to stay. `saveAnswer` runs the save the user chose.
    bool mayClose(const std::function<bool()>& saveAnswer);

private:
    bool saveTo(const QString& path);

    Survey& m_survey;
    QWidget& m_window;
};
