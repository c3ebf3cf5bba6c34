#pragma once

#include <QObject>

class LockKeyTracker;
class QLabel;
class QStatusBar;
class QTimer;

// The six panels of the main window's status bar: the message, Caps Lock,
// Num Lock, Insert, the time and the date, kept current.
class StatusPanels : public QObject {
    Q_OBJECT

public:
    explicit StatusPanels(QStatusBar& bar);

    QString message() const;
    void setMessage(const QString& text);

    // Reads the program clock into the time and date panels.
    void refreshClock();

private:
    void refreshLockKeys();

    QLabel* m_message;
    QLabel* m_capsLock;
    QLabel* m_numLock;
    QLabel* m_insert;
    QLabel* m_time;
    QLabel* m_date;
    LockKeyTracker* m_lockKeys;
    QTimer* m_clockTimer;
};
