#pragma once

#include "stage_results.h"

#include <QObject>
#include <functional>

class QTabBar;
class QWidget;

// The worksheet's tab bar: a tab for each stage of the survey, in stage
// order, and the keys that move between them.
class StageTabs : public QObject {
    Q_OBJECT

public:
    // `window`: where the keys that step between the tabs are taken.
    StageTabs(QTabBar& tabs, QWidget& window);

    // Told of every change of tab the user or the program makes; it may
    // send the user back with goBack().
    std::function<void(Stage left, Stage entered)> changed;

    Stage shown() const;
    void show(Stage stage);
    // The stage just left comes forward again, unannounced.
    void goBack();

private:
    void tabChanged(int index);
    // The next tab (`step` 1) or the previous one, round the end.
    void stepTab(int step);

    QTabBar& m_tabs;
    int m_shown = 0;
    int m_left = 0;
    bool m_goingBack = false;
};
