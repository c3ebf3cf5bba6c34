#include "shell_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

// The tip of the day inside the main window, on a database of the test's own.
class TestTipOfDay : public QObject {
    Q_OBJECT

private slots:
    void init() { m_shell = std::make_unique<Shell>(); }
    void cleanup() { m_shell.reset(); }

    void nextTipKeepsToTheTable_data();
    void nextTipKeepsToTheTable();
    void theCheckBoxStoresTheChoiceAtOnce();
    void debugTracesLoadingThenActivation_data();
    void debugTracesLoadingThenActivation();
    void itOpensOnceAndOkLeavesTheFrame();
    void tabWalksTheTipOfDay();
    void keysCloseItAsADialog_data();
    void keysCloseItAsADialog();

private:
    template <typename T> T* tipPart(const char* name) const {
        return m_shell->find<QWidget>("frmTipOfDay")->findChild<T*>(QString::fromLatin1(name));
    }

    std::unique_ptr<Shell> m_shell;
};

// clang-format off
void TestTipOfDay::nextTipKeepsToTheTable_data() {
    QTest::addColumn<QStringList>("tips");

    QTest::newRow("one tip") << QStringList{QStringLiteral("Read both sides of the ship.")};
    QTest::newRow("no tips") << QStringList{};
}
// clang-format on

void TestTipOfDay::nextTipKeepsToTheTable() {
    QFETCH(QStringList, tips);

    gcnnStore->execute(QStringLiteral("DELETE FROM TipOfDay"));
    for (const QString& tip : tips)
        gcnnStore->execute(QStringLiteral("INSERT INTO TipOfDay (Tip) VALUES (?)"), {tip});
    m_shell->makeFrame().showTipOfDay();

    const QString shown = tips.isEmpty() ? QString() : tips.first();
    QCOMPARE(tipPart<QLabel>("lblTipText")->text(), shown);
    for (int click = 0; click < 5; ++click) {
        QTest::mouseClick(tipPart<QPushButton>("cmdNextTip"), Qt::LeftButton);
        QCOMPARE(tipPart<QLabel>("lblTipText")->text(), shown);
    }
    QVERIFY(m_shell->messages.shown().isEmpty());
}

void TestTipOfDay::theCheckBoxStoresTheChoiceAtOnce() {
    m_shell->storeShowTips(QStringLiteral("0"));
    m_shell->makeFrame().showTipOfDay();
    auto* checkBox = tipPart<QCheckBox>("chkLoadTipsAtStartup");
    // Opening the tips asks for them again at the next start.
    QVERIFY(checkBox->isChecked());
    QCOMPARE(m_shell->storedShowTips(), QStringLiteral("1"));

    QTest::mouseClick(checkBox, Qt::LeftButton);
    QCOMPARE(m_shell->storedShowTips(), QStringLiteral("0"));
    QTest::mouseClick(checkBox, Qt::LeftButton);
    QCOMPARE(m_shell->storedShowTips(), QStringLiteral("1"));
    QTest::mouseClick(checkBox, Qt::LeftButton);

    QTest::mouseClick(tipPart<QPushButton>("cmdOK"), Qt::LeftButton);
    QCOMPARE(m_shell->storedShowTips(), QStringLiteral("0"));
}

// clang-format off
void TestTipOfDay::debugTracesLoadingThenActivation_data() {
    QTest::addColumn<bool>("debugTraces");
    QTest::addColumn<QStringList>("traces");

    QTest::newRow("debug") << true << QStringList{QStringLiteral("loading tip of day"),
                                          QStringLiteral("activate of tip of day")};
    QTest::newRow("ordinary start") << false << QStringList{};
}
// clang-format on

void TestTipOfDay::debugTracesLoadingThenActivation() {
    QFETCH(bool, debugTraces);
    QFETCH(QStringList, traces);

    m_shell->makeFrame(debugTraces).showTipOfDay();

    QCOMPARE(m_shell->messages.texts(), traces);
    for (const Message& message : m_shell->messages.shown()) {
        QCOMPARE(message.icon, MessageIcon::None);
        QCOMPARE(message.title, QStringLiteral("Calvane Lt"));
        QCOMPARE(message.buttons, MessageButtons::Ok);
    }
}

void TestTipOfDay::itOpensOnceAndOkLeavesTheFrame() {
    frmMDI& frame = m_shell->makeFrame();
    frame.showTipOfDay();
    m_shell->find("mnuHelp(5)")->trigger();
    QCOMPARE(frame.mdiArea().subWindowList().size(), 1);
    // The tip takes no part in the count of working windows.
    QCOMPARE(frame.openChildren(), 0);

    QTest::mouseClick(tipPart<QPushButton>("cmdOK"), Qt::LeftButton);
    QVERIFY(frame.mdiArea().subWindowList().isEmpty());
    QVERIFY(frame.isVisible());
    QCOMPARE(frame.statusMessage(), QStringLiteral("Press Ctrl-O to open the Open file box"));
}

void TestTipOfDay::tabWalksTheTipOfDay() {
    frmMDI& frame = m_shell->makeFrame();
    frame.showTipOfDay();
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    tipPart<QWidget>("chkLoadTipsAtStartup")->setFocus();

    QStringList reached;
    for (int press = 0; press < 3; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(reached, (QStringList{QStringLiteral("cmdNextTip"), QStringLiteral("cmdOK"),
                                   QStringLiteral("chkLoadTipsAtStartup")}));
}

// clang-format off
void TestTipOfDay::keysCloseItAsADialog_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("closes");

    QTest::newRow("Enter on the check box presses OK") << "chkLoadTipsAtStartup" << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("keypad Enter") << "chkLoadTipsAtStartup" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
    QTest::newRow("Escape") << "cmdNextTip" << int(Qt::Key_Escape) << int(Qt::NoModifier) << true;
    QTest::newRow("Ctrl+F4") << "chkLoadTipsAtStartup" << int(Qt::Key_F4) << int(Qt::ControlModifier) << true;
    QTest::newRow("Enter on Next Tip presses Next Tip") << "cmdNextTip" << int(Qt::Key_Return) << int(Qt::NoModifier) << false;
    QTest::newRow("a letter does nothing") << "chkLoadTipsAtStartup" << int(Qt::Key_X) << int(Qt::NoModifier) << false;
}
// clang-format on

void TestTipOfDay::keysCloseItAsADialog() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, closes);
    frmMDI& frame = m_shell->makeFrame();
    frame.showTipOfDay();
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QVERIFY(tipPart<QPushButton>("cmdOK")->isDefault());
    QWidget* target = tipPart<QWidget>(focus.toLatin1().constData());
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);

    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_COMPARE(frame.mdiArea().subWindowList().isEmpty(), closes);
    QVERIFY(m_shell->messages.shown().isEmpty());
}

QTEST_MAIN(TestTipOfDay)
#include "test_tip_of_day.moc"
