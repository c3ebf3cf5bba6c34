#pragma once

#include <QObject>

// Makes Enter in a field move the focus on as Tab does; the Enter itself is
// swallowed. Install it on every field of a window.
class EnterAsTab : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
