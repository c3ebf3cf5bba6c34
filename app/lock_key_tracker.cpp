#include "lock_key_tracker.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

namespace {

LockKeyTracker::State flipped(LockKeyTracker::State state) {
    switch (state) {
    case LockKeyTracker::State::On:
        return LockKeyTracker::State::Off;
    case LockKeyTracker::State::Off:
        return LockKeyTracker::State::On;
    case LockKeyTracker::State::Unknown:
        break;
    }
    return state;
}

LockKeyTracker::State onWhen(bool on) {
    return on ? LockKeyTracker::State::On : LockKeyTracker::State::Off;
}

bool isKeypadMovement(int key) {
    switch (key) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
    case Qt::Key_Clear:
        return true;
    default:
        return false;
    }
}

} // namespace

LockKeyTracker::LockKeyTracker(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool LockKeyTracker::eventFilter(QObject* watched, QEvent* event) {
    // Each key reaches its window once, then travels on through the widgets.
    if (event->type() == QEvent::KeyPress && qobject_cast<QWindow*>(watched))
        learnFrom(static_cast<const QKeyEvent&>(*event));
    return false;
}

void LockKeyTracker::learnFrom(const QKeyEvent& key) {
    const bool shift = key.modifiers().testFlag(Qt::ShiftModifier);
    if (key.key() == Qt::Key_CapsLock) {
        set(m_capsLock, flipped(m_capsLock));
    } else if (key.key() == Qt::Key_NumLock) {
        set(m_numLock, flipped(m_numLock));
    } else if (key.modifiers().testFlag(Qt::KeypadModifier)) {
        if (shift)
            return;
        if (key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9)
            set(m_numLock, State::On);
        else if (isKeypadMovement(key.key()))
            set(m_numLock, State::Off);
    } else if (key.text().size() == 1) {
        const QChar typed = key.text().front();
        if (typed.isUpper() || typed.isLower())
            set(m_capsLock, onWhen(typed.isUpper() != shift));
    }
}

void LockKeyTracker::set(State& lock, State state) {
    if (lock == state)
        return;
    lock = state;
    emit changed();
}
