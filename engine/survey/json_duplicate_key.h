#pragma once

#include <QByteArray>
#include <QString>

// The path ("initial.readings.fwdPort") of the first key that appears twice
// in one object of a JSON text, or "" when every key is unique. Qt's reader
// keeps the last of two equal keys without a word, so a survey file typed
// with a value twice would be read with one of them silently lost. The text
// must already have parsed as JSON.
QString duplicateKeyPath(const QByteArray& json);
