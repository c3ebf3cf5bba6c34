#include "frm_mdi.h"
#include "frm_tip_of_day.h"
#include "message_service.h"
#include "shell_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The tip of the day inside the main window, on a database of the test's own.
class TestTipOfDay : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void nextTipKeepsToTheTable_data();
    void nextTipKeepsToTheTable();
    void theCheckBoxStoresTheChoiceAtOnce();
    void debugTracesLoadingThenActivation_data();
    void debugTracesLoadingThenActivation();
    void itOpensOnceAndOkLeavesTheFrame();
    void aboutContinueBringsTheTipBackWhenWanted_data();
    void aboutContinueBringsTheTipBackWhenWanted();

private:
    void makeFrame(bool debugTraces = false);
    QWidget* tipWindow() const {
        return m_frame->findChild<QWidget*>(QStringLiteral("frmTipOfDay"));
    }
    template <typename T> T* tipPart(const char* name) const {
        return tipWindow()->findChild<T*>(QString::fromLatin1(name));
    }

    std::unique_ptr<ScopedMessageRecorder> m_messages;
    std::unique_ptr<ShellFolder> m_folder;
    WindowRegistry m_registry;
    std::unique_ptr<frmMDI> m_frame;
};

void TestTipOfDay::init() {
    m_messages = std::make_unique<ScopedMessageRecorder>();
    m_folder = std::make_unique<ShellFolder>();
    m_folder->openDatabase();
}

void TestTipOfDay::cleanup() {
    m_frame.reset();
    m_folder.reset();
    m_messages.reset();
}

void TestTipOfDay::makeFrame(bool debugTraces) {
    m_frame =
        std::make_unique<frmMDI>(m_registry, m_folder->settings, m_folder->options(debugTraces));
}

void TestTipOfDay::nextTipKeepsToTheTable_data() {
    QTest::addColumn<QStringList>("tips");

    QTest::newRow("one tip") << QStringList{QStringLiteral("Read both sides of the ship.")};
    QTest::newRow("no tips") << QStringList{};
}

void TestTipOfDay::nextTipKeepsToTheTable() {
    QFETCH(QStringList, tips);

    ShellFolder::setTips(tips);
    makeFrame();
    m_frame->showTipOfDay();

    const QString shown = tips.isEmpty() ? QString() : tips.first();
    QCOMPARE(tipPart<QLabel>("lblTipText")->text(), shown);
    for (int click = 0; click < 5; ++click) {
        QTest::mouseClick(tipPart<QPushButton>("cmdNextTip"), Qt::LeftButton);
        QCOMPARE(tipPart<QLabel>("lblTipText")->text(), shown);
    }
    QVERIFY(m_messages->shown().isEmpty());
}

void TestTipOfDay::theCheckBoxStoresTheChoiceAtOnce() {
    m_folder->storeShowTips(QStringLiteral("0"));
    makeFrame();
    m_frame->showTipOfDay();
    // Opening the tips asks for them again at the next start.
    QVERIFY(tipPart<QCheckBox>("chkLoadTipsAtStartup")->isChecked());
    QCOMPARE(m_folder->storedShowTips(), QStringLiteral("1"));

    QTest::mouseClick(tipPart<QCheckBox>("chkLoadTipsAtStartup"), Qt::LeftButton);
    QCOMPARE(m_folder->storedShowTips(), QStringLiteral("0"));
    QTest::mouseClick(tipPart<QCheckBox>("chkLoadTipsAtStartup"), Qt::LeftButton);
    QCOMPARE(m_folder->storedShowTips(), QStringLiteral("1"));
    QTest::mouseClick(tipPart<QCheckBox>("chkLoadTipsAtStartup"), Qt::LeftButton);

    QTest::mouseClick(tipPart<QPushButton>("cmdOK"), Qt::LeftButton);
    QCOMPARE(m_folder->storedShowTips(), QStringLiteral("0"));
}

void TestTipOfDay::debugTracesLoadingThenActivation_data() {
    QTest::addColumn<bool>("debugTraces");
    QTest::addColumn<QStringList>("traces");

    QTest::newRow("debug") << true
                           << QStringList{QStringLiteral("loading tip of day"),
                                          QStringLiteral("activate of tip of day")};
    QTest::newRow("ordinary start") << false << QStringList{};
}

void TestTipOfDay::debugTracesLoadingThenActivation() {
    QFETCH(bool, debugTraces);
    QFETCH(QStringList, traces);

    makeFrame(debugTraces);
    m_frame->showTipOfDay();

    QCOMPARE(m_messages->texts(), traces);
    for (const Message& message : m_messages->shown()) {
        QCOMPARE(message.icon, MessageIcon::None);
        QCOMPARE(message.title, QStringLiteral("Calvane Lt"));
        QCOMPARE(message.buttons, MessageButtons::Ok);
    }
}

void TestTipOfDay::itOpensOnceAndOkLeavesTheFrame() {
    makeFrame();
    m_frame->showTipOfDay();
    m_frame->findChild<QAction*>(QStringLiteral("mnuHelp(5)"))->trigger();
    QCOMPARE(m_frame->mdiArea().subWindowList().size(), 1);
    // The tip takes no part in the count of working windows.
    QCOMPARE(m_frame->openChildren(), 0);

    QTest::mouseClick(tipPart<QPushButton>("cmdOK"), Qt::LeftButton);
    QVERIFY(m_frame->mdiArea().subWindowList().isEmpty());
    QVERIFY(m_frame->isVisible());
    QCOMPARE(m_frame->statusMessage(), QStringLiteral("Press Ctrl-O to open the Open file box"));
}

void TestTipOfDay::aboutContinueBringsTheTipBackWhenWanted_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("tipShown");

    QTest::newRow("tips wanted") << "1" << true;
    QTest::newRow("tips switched off") << "0" << false;
}

void TestTipOfDay::aboutContinueBringsTheTipBackWhenWanted() {
    QFETCH(QString, stored);
    QFETCH(bool, tipShown);

    m_folder->storeShowTips(stored);
    makeFrame();
    m_frame->show();
    QTimer::singleShot(0, this, [] {
        QWidget* about = QApplication::activeModalWidget();
        QVERIFY(about);
        QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdContinue")),
                          Qt::LeftButton);
    });
    m_frame->findChild<QAction*>(QStringLiteral("mnuHelp(20)"))->trigger();

    QCOMPARE(tipWindow() != nullptr, tipShown);
}

QTEST_MAIN(TestTipOfDay)
#include "test_tip_of_day.moc"
