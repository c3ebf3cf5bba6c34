#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// A real file system of 64 KB that can be filled up, where the test may
// mount one (root, or a container that allows it). Unmounted when done.
class FullDisk {
public:
    FullDisk() {
        if (!m_mountPoint.isValid())
            return;
        m_mounted = QProcess::execute(QStringLiteral("mount"),
                                      {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                       QStringLiteral("-o"), QStringLiteral("size=64k"),
                                       QStringLiteral("tmpfs"), m_mountPoint.path()}) == 0;
    }
    ~FullDisk() {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_mountPoint.path()});
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return m_mounted; }
    QString filePath(const QString& name) const { return m_mountPoint.filePath(name); }

    // Takes every free block, as `dd if=/dev/zero` would.
    bool fill() const {
        QFile filler(filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(1024, '\0');
        while (filler.write(block) == block.size()) {
        }
        return true;
    }

private:
    QTemporaryDir m_mountPoint;
    bool m_mounted = false;
};
