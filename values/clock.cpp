#include "clock.h"

namespace {

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

const Clock*& installed() {
    static const Clock* current = nullptr;
    return current;
}

} // namespace

const Clock& programClock() {
    static const SystemClock system;
    const Clock* current = installed();
    return current ? *current : system;
}

void installClock(const Clock* clock) {
    installed() = clock;
}

FixedClock::FixedClock(const QDateTime& time) : m_time(time), m_previous(installed()) {
    installClock(this);
}

FixedClock::~FixedClock() {
    installClock(m_previous);
}
