#include "status_panels.h"

#include "clock.h"
#include "lock_key_tracker.h"

#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

namespace {

QLabel* addPanel(QStatusBar& bar, const QString& name, const QString& text) {
    auto* panel = new QLabel(text, &bar);
    panel->setObjectName(name);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(QStringLiteral("00:00 AM")) + 12);
    bar.addPermanentWidget(panel);
    return panel;
}

} // namespace

StatusPanels::StatusPanels(QStatusBar& bar)
    : QObject(&bar), m_message(new QLabel(&bar)),
      m_capsLock(addPanel(bar, QStringLiteral("sb1CapsLock"), QStringLiteral("CAPS"))),
      m_numLock(addPanel(bar, QStringLiteral("sb1NumLock"), QStringLiteral("NUM"))),
      // Every field of the program inserts; there is no overwrite mode.
      m_insert(addPanel(bar, QStringLiteral("sb1Insert"), QStringLiteral("INS"))),
      m_time(addPanel(bar, QStringLiteral("sb1Time"), QString())),
      m_date(addPanel(bar, QStringLiteral("sb1Date"), QString())),
      m_lockKeys(new LockKeyTracker(this)), m_clockTimer(new QTimer(this)) {
    m_message->setObjectName(QStringLiteral("sb1Message"));
    bar.insertWidget(0, m_message, 1);
    m_capsLock->setToolTip(tr("Caps Lock, known once a letter has been typed"));
    m_numLock->setToolTip(tr("Num Lock, known once a keypad key has been pressed"));

    connect(m_lockKeys, &LockKeyTracker::changed, this, &StatusPanels::refreshLockKeys);
    connect(m_clockTimer, &QTimer::timeout, this, &StatusPanels::refreshClock);
    m_clockTimer->start(1000);
    refreshLockKeys();
    refreshClock();
}

QString StatusPanels::message() const {
    return m_message->text();
}

void StatusPanels::setMessage(const QString& text) {
    m_message->setText(text);
}

void StatusPanels::refreshClock() {
    const QDateTime now = programClock().now();
    const QLocale locale;
    m_time->setText(locale.toString(now.time(), QStringLiteral("HH:mm")));
    m_date->setText(locale.toString(now.date(), QLocale::ShortFormat));
}

void StatusPanels::refreshLockKeys() {
    // Greyed while off or not yet known.
    m_capsLock->setEnabled(m_lockKeys->capsLock() == LockKeyTracker::State::On);
    m_numLock->setEnabled(m_lockKeys->numLock() == LockKeyTracker::State::On);
}
