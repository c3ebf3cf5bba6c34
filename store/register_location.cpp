#include "register_location.h"

#include "connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

// Set by the build: the seed's folder as seen from the installed program.
#ifndef CALVANE_SEED_FROM_PROGRAM
#define CALVANE_SEED_FROM_PROGRAM "../share/calvane"
#endif

RegisterPlaces RegisterPlaces::ofThisProgram() {
    RegisterPlaces places;
    places.programFolder = applicationFolder();
    // Not AppDataLocation: calvane-survey has an application name of its
    // own and must find the same file as the desktop program.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty())
        places.userFolder = data + QStringLiteral("/calvane");
    places.seedFile = QDir::cleanPath(
        databaseFileIn(places.programFolder + QStringLiteral("/" CALVANE_SEED_FROM_PROGRAM)));
    return places;
}

namespace {

// Copies the seed under a temporary name first: a copy cut short (a full
// disk) must never stand as the user's register.
QString copySeed(const QString& seed, const QString& target) {
    if (!QFileInfo(seed).isFile())
        return QStringLiteral("The shipped register %1 is missing, so %2 cannot be made.")
            .arg(seed, target);
    if (!QDir().mkpath(QFileInfo(target).path()))
        return QStringLiteral("The folder of %1 cannot be made.").arg(target);
    const QString partial = target + QStringLiteral(".new");
    QFile::remove(partial);
    if (!QFile::copy(seed, partial))
        return QStringLiteral("%1 cannot be copied to %2.").arg(seed, target);
    // The seed is read-only where it is installed; the user's copy is not.
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                       QFile::ReadOther);
    // rename() refuses to replace: a register made meanwhile by another
    // start stays as it is.
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        if (!QFileInfo::exists(target))
            return QStringLiteral("%1 cannot be made.").arg(target);
    }
    return QString();
}

} // namespace

RegisterChoice chooseRegister(const RegisterPlaces& places) {
    const QString beside = databaseFileIn(places.programFolder);
    if (QFileInfo::exists(beside) || places.userFolder.isEmpty())
        return {beside, QString()};
    const QString own = databaseFileIn(places.userFolder);
    if (QFileInfo::exists(own))
        return {own, QString()};
    return {own, copySeed(places.seedFile, own)};
}
