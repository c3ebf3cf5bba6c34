#pragma once

#include "survey_document.h"

#include <QObject>
#include <QTimer>
#include <functional>

class QLabel;
class QListWidget;

// The worksheet's Checks panel and the cargo's uncertainty under its cargo:
// what the survey's readings and results say of themselves, shown while
// the survey is typed, never asked about.
class SurveyChecksPanel : public QObject {
    Q_OBJECT

public:
    SurveyChecksPanel(QListWidget& list, QLabel& uncertainty);

    // The survey as the worksheet holds it now, and its file.
    std::function<SurveyDocument()> survey;
    std::function<QString()> file;

    // Shows the checks again once typing pauses.
    void schedule();
    // Shows them now.
    void refresh();

private:
    QListWidget& m_list;
    QLabel& m_uncertainty;
    QTimer m_pause;
};
