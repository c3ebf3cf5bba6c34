#pragma once

#include <QList>
#include <QString>

// What a ship's numeric particular accepts: a number greater than 0 and
// less than its limit, rounded half to even to its places.
struct ParticularRule {
    // The objectName of the field.
    QString field;
    // -1 keeps every place typed.
    int decimals;
    qint64 upperLimit;
    QString message;
};

// In the order a save checks them.
const QList<ParticularRule>& particularRules();
// The rule of the field with that objectName ("txtLBP").
const ParticularRule& particularRule(const QString& field);

// The outcome of checking a field's text: accepted with the text to show
// (empty stays empty), or refused with the message to show.
struct ParticularCheck {
    bool accepted;
    QString text;
    QString message;
};

ParticularCheck checkParticular(const ParticularRule& rule, const QString& typed);

// Why a ship cannot be surveyed with these particulars ("" when it can): the
// rule a survey's LBP or light ship breaks, whether they were typed, read
// from a file or from the register. A blank is refused too: the survey
// needs both.
QString surveyedParticularsProblem(const QString& lbp, const QString& lightShip);
