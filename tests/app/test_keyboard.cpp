#include "frm_about.h"
#include "frm_mdi.h"
#include "shell_fixture.h"

#include <QLabel>
#include <QTest>

// The program used from the keyboard alone.
class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tabWalksTheAboutBox();
    void tabWalksTheTipOfDay();
    void lockKeyPanelsFollowWhatIsTyped_data();
    void lockKeyPanelsFollowWhatIsTyped();

private:
    static QStringList tabOrder();

    std::unique_ptr<ShellFolder> m_folder;
    WindowRegistry m_registry;
    std::unique_ptr<frmMDI> m_frame;
};

void TestKeyboard::init() {
    m_folder = std::make_unique<ShellFolder>();
    m_folder->openDatabase();
    m_frame = std::make_unique<frmMDI>(m_registry, m_folder->settings, m_folder->options());
}

void TestKeyboard::cleanup() {
    m_frame.reset();
    m_folder.reset();
}

QStringList TestKeyboard::tabOrder() {
    // A link label takes Tab once more for its link; count each widget once
    // in a row.
    const QWidget* start = QApplication::focusWidget();
    QStringList order{start->objectName()};
    for (int press = 0; press < 10; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString reached = QApplication::focusWidget()->objectName();
        if (reached != order.last())
            order.append(reached);
        if (QApplication::focusWidget() == start)
            break;
    }
    return order;
}

void TestKeyboard::tabWalksTheAboutBox() {
    frmAbout about;
    about.show();
    QApplication::setActiveWindow(&about);
    QVERIFY(QTest::qWaitForWindowActive(&about));

    QCOMPARE(tabOrder(), (QStringList{QStringLiteral("cmdContinue"), QStringLiteral("Label1"),
                                      QStringLiteral("Label3"), QStringLiteral("cmdContinue")}));
    // Enter on Continue moves on.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void TestKeyboard::tabWalksTheTipOfDay() {
    m_frame->showTipOfDay();
    QApplication::setActiveWindow(m_frame.get());
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    m_frame->findChild<QWidget*>(QStringLiteral("chkLoadTipsAtStartup"))->setFocus();

    QCOMPARE(tabOrder(),
             (QStringList{QStringLiteral("chkLoadTipsAtStartup"), QStringLiteral("cmdNextTip"),
                          QStringLiteral("cmdOK"), QStringLiteral("chkLoadTipsAtStartup")}));
}

void TestKeyboard::lockKeyPanelsFollowWhatIsTyped_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("modifiers");
    // The text each key gives, as the keyboard reports it.
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("capsLock");
    QTest::addColumn<bool>("numLock");

    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    const int keypad = Qt::KeypadModifier;
    const QString a = QStringLiteral("a");
    const QString capitalA = QStringLiteral("A");
    QTest::newRow("unknown until typed")
        << QList<int>{Qt::Key_CapsLock, Qt::Key_NumLock} << QList<int>{none, none}
        << QStringList{QString(), QString()} << false << false;
    QTest::newRow("capital without Shift")
        << QList<int>{Qt::Key_A} << QList<int>{none} << QStringList{capitalA} << true << false;
    QTest::newRow("capital with Shift")
        << QList<int>{Qt::Key_A} << QList<int>{shift} << QStringList{capitalA} << false << false;
    QTest::newRow("known, then Caps Lock pressed")
        << QList<int>{Qt::Key_A, Qt::Key_CapsLock} << QList<int>{none, none}
        << QStringList{a, QString()} << true << false;
    QTest::newRow("keypad digit") << QList<int>{Qt::Key_7} << QList<int>{keypad}
                                  << QStringList{QStringLiteral("7")} << false << true;
    QTest::newRow("keypad movement, then Num Lock pressed")
        << QList<int>{Qt::Key_Home, Qt::Key_NumLock} << QList<int>{keypad, none}
        << QStringList{QString(), QString()} << false << true;
}

void TestKeyboard::lockKeyPanelsFollowWhatIsTyped() {
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, modifiers);
    QFETCH(QStringList, texts);
    QFETCH(bool, capsLock);
    QFETCH(bool, numLock);

    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    for (int i = 0; i < keys.size(); ++i)
        QTest::sendKeyEvent(QTest::Click, m_frame->windowHandle(), Qt::Key(keys.at(i)), texts.at(i),
                            Qt::KeyboardModifiers(modifiers.at(i)));

    QCOMPARE(m_frame->findChild<QLabel*>(QStringLiteral("sb1CapsLock"))->isEnabled(), capsLock);
    QCOMPARE(m_frame->findChild<QLabel*>(QStringLiteral("sb1NumLock"))->isEnabled(), numLock);
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
