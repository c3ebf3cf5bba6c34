#pragma once

#include <QDateTime>

// Where the program reads the time of day, so that tests can set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// The installed clock: the system clock unless a test installed another.
const Clock& programClock();
void installClock(const Clock* clock);

// A clock that always tells the time it was given, installed for the life
// of the scope.
class FixedClock : public Clock {
public:
    explicit FixedClock(const QDateTime& time);
    ~FixedClock() override;
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    QDateTime now() const override { return m_time; }

private:
    QDateTime m_time;
    const Clock* m_previous;
};
