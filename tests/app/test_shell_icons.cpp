#include "shell_icons.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char* const keys[] = {
    "New",          "Open",       "Save",       "Close",           "Print",
    "PrintPreview", "Delete",     "PortMaster", "ShipParticulars", "Loading",
    "Discharging",  "Calculator", "Notepad",    "TipOfDay",        "Help",
    "TechSupport"};

QImage rendered(const QIcon& icon) {
    return icon.pixmap(QSize(24, 24)).toImage().convertToFormat(QImage::Format_ARGB32);
}

int drawnPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
    return count;
}

} // namespace

class TestShellIcons : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void ownIconsWithoutATheme_data();
    void ownIconsWithoutATheme();
    void eachKeyHasAnIconOfItsOwn();
    void theThemesIconWhereItHasOne();

private:
    QTemporaryDir m_themes;
};

// A desktop without an icon theme; themes only where this test makes them.
void TestShellIcons::initTestCase() {
    QIcon::setThemeSearchPaths({m_themes.path()});
    QIcon::setFallbackSearchPaths({});
    QIcon::setThemeName(QStringLiteral("none"));
}

void TestShellIcons::ownIconsWithoutATheme_data() {
    QTest::addColumn<QString>("key");
    for (const char* key : keys)
        QTest::newRow(key) << QString::fromLatin1(key);
}

void TestShellIcons::ownIconsWithoutATheme() {
    QFETCH(QString, key);
    const QImage image = rendered(shellIcon(key));
    QCOMPARE(image, rendered(ownShellIcon(key)));
    // Drawn, not an empty square: the SVG loaded and has a shape.
    QVERIFY2(drawnPixels(image) > 24 * 24 / 10, qPrintable(QString::number(drawnPixels(image))));
}

// Two commands never share a picture.
void TestShellIcons::eachKeyHasAnIconOfItsOwn() {
    QList<QImage> seen;
    for (const char* key : keys) {
        const QImage image = rendered(ownShellIcon(QString::fromLatin1(key)));
        QVERIFY2(!seen.contains(image), key);
        seen.append(image);
    }
}

void TestShellIcons::theThemesIconWhereItHasOne() {
    const QDir theme(m_themes.filePath(QStringLiteral("desk")));
    QVERIFY(QDir().mkpath(theme.filePath(QStringLiteral("24x24/actions"))));
    QFile index(theme.filePath(QStringLiteral("index.theme")));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=desk\nDirectories=24x24/actions\n\n"
                "[24x24/actions]\nSize=24\nType=Fixed\n");
    index.close();
    QImage red(24, 24, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(theme.filePath(QStringLiteral("24x24/actions/document-new.png"))));

    QIcon::setThemeName(QStringLiteral("desk"));
    QCOMPARE(rendered(shellIcon(QStringLiteral("New"))).pixel(12, 12), QColor(Qt::red).rgba());
    // A key the theme lacks still gets the program's own.
    QCOMPARE(rendered(shellIcon(QStringLiteral("Save"))),
             rendered(ownShellIcon(QStringLiteral("Save"))));
    QIcon::setThemeName(QStringLiteral("none"));
}

QTEST_MAIN(TestShellIcons)
#include "test_shell_icons.moc"
