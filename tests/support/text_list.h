#pragma once

#include <QMap>
#include <QStringList>
#include <initializer_list>

// A list of texts from plain literals, for test tables.
inline QStringList texts(std::initializer_list<const char*> values) {
    QStringList list;
    for (const char* value : values)
        list.append(QString::fromUtf8(value));
    return list;
}

// Texts by name, from pairs of plain literals, for test tables.
using TextMap = QMap<QString, QString>;
inline TextMap textMap(std::initializer_list<std::pair<const char*, const char*>> pairs) {
    TextMap map;
    for (const auto& [name, text] : pairs)
        map.insert(QString::fromUtf8(name), QString::fromUtf8(text));
    return map;
}
