#pragma once

#include <QStringList>
#include <initializer_list>

// A list of texts from plain literals, for test tables.
inline QStringList texts(std::initializer_list<const char*> values) {
    QStringList list;
    for (const char* value : values)
        list.append(QString::fromUtf8(value));
    return list;
}
