#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

// The JSON with the value at a path of keys replaced, or removed when the
// value is undefined.
inline QJsonObject edited(QJsonObject object, QStringList path, const QJsonValue& value) {
    const QString key = path.takeFirst();
    if (path.isEmpty()) {
        if (value.isUndefined())
            object.remove(key);
        else
            object.insert(key, value);
    } else {
        object.insert(key, edited(object.value(key).toObject(), path, value));
    }
    return object;
}
