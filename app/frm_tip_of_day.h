#pragma once

#include <QRandomGenerator>
#include <QStringList>
#include <QWidget>

class ProgramSettings;
class QCheckBox;
class QLabel;
class QPushButton;

// The tip of the day: one hint from the TipOfDay table at random, shown as a
// child of the main window. Its check box is the user's choice of seeing it
// at start-up.
class frmTipOfDay : public QWidget {
    Q_OBJECT

public:
    frmTipOfDay(ProgramSettings& settings, bool debugTraces, QWidget* parent = nullptr);

    // Fills the tips from the database and shows one of them.
    bool LoadTips();
    // Shows tip number mlngCurrentTip.
    void DisplayCurrentTip();
    void ShowRandomTip();

    // The window has become the active child.
    void activated();

protected:
    // Enter, Escape and Ctrl+F4 close it from the keyboard, as a dialog
    // closes; the tip takes no part in the File menu's Close.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStringList readTips();

    ProgramSettings& m_settings;
    const bool m_debugTraces;
    QStringList mcolTips;
    // 1-based, as the tips are counted.
    int mlngCurrentTip = 0;
    QRandomGenerator m_random;
    QLabel* lblTipText;
    QCheckBox* chkLoadTipsAtStartup;
    QPushButton* cmdNextTip;
    QPushButton* cmdOK;
};
