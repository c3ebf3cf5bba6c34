#pragma once

#include <QObject>

class QKeyEvent;

// Caps Lock and Num Lock as far as the program can tell. Qt offers no
// portable way to ask the keyboard, so the state is learnt from what the
// user types: a letter's case against the Shift key tells Caps Lock, a
// keypad key giving a digit or a movement tells Num Lock, and a press of
// either lock key flips a known state. Until then the state is unknown.
class LockKeyTracker : public QObject {
    Q_OBJECT

public:
    enum class State { Unknown, On, Off };

    explicit LockKeyTracker(QObject* parent = nullptr);

    State capsLock() const { return m_capsLock; }
    State numLock() const { return m_numLock; }

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void learnFrom(const QKeyEvent& key);
    void set(State& lock, State state);

    State m_capsLock = State::Unknown;
    State m_numLock = State::Unknown;
};
