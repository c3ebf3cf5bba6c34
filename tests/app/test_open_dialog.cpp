#include "frm_open.h"
#include "master_windows.h"
#include "shell_fixture.h"
#include "text_list.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

QString text(const char* latin1) {
    return QString::fromLatin1(latin1);
}

} // namespace

// The Open dialog over a main window with the master windows registered.
class TestOpenDialog : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void categoriesSwitchTheListAndEmptyTheName();
    void typedNamesMatchExactly_data();
    void typedNamesMatchExactly();
    void doubleClickOpensAndCloses();
    void ctrlOShowsItAndItsUnloadSetsTheHint_data();
    void ctrlOShowsItAndItsUnloadSetsTheHint();
    void activatingAMasterWindowClearsTheHint();

private:
    template <typename T> T* part(const char* name) const {
        return m_dialog->findChild<T*>(text(name));
    }
    QStringList listed() const {
        QStringList items;
        for (int i = 0; i < part<QListWidget>("lvOpen")->count(); ++i)
            items.append(part<QListWidget>("lvOpen")->item(i)->text());
        return items;
    }
    QListWidgetItem* item(const char* name) const {
        return part<QListWidget>("lvOpen")->findItems(text(name), Qt::MatchExactly).value(0);
    }
    void clickItem(const char* name) {
        auto* list = part<QListWidget>("lvOpen");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item(name)).center());
    }
    void clickNode(QTreeWidgetItem* node) {
        auto* tree = part<QTreeWidget>("tvOpen");
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(node).center());
    }
    QString openedWindow() const {
        QMdiSubWindow* active = m_shell->frame->mdiArea().currentSubWindow();
        return active ? active->widget()->objectName() : QString();
    }

    std::unique_ptr<Shell> m_shell;
    std::unique_ptr<frmOpen> m_dialog;
};

void TestOpenDialog::init() {
    m_shell = std::make_unique<Shell>();
    registerMasterWindows(m_shell->registry);
    m_shell->makeFrame().show();
    m_dialog = std::make_unique<frmOpen>(*m_shell->frame);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void TestOpenDialog::cleanup() {
    m_dialog.reset();
    m_shell.reset();
}

void TestOpenDialog::categoriesSwitchTheListAndEmptyTheName() {
    auto* root = part<QTreeWidget>("tvOpen")->topLevelItem(0);
    QCOMPARE(root->text(0), text("Draft Survey"));
    QVERIFY(root->isExpanded());
    QCOMPARE(part<QTreeWidget>("tvOpen")->currentItem(), root->child(0));
    QCOMPARE(listed(), texts({"Ship Particulars", "Port"}));
    // Nothing chosen yet: Open is off and does nothing.
    QVERIFY(!part<QPushButton>("cmdOpen")->isEnabled());
    QTest::mouseClick(part<QPushButton>("cmdOpen"), Qt::LeftButton);
    QVERIFY(m_dialog->isVisible());

    clickItem("Port");
    QCOMPARE(part<QLineEdit>("txtFormToOpen")->text(), text("Port"));
    QVERIFY(part<QPushButton>("cmdOpen")->isEnabled());
    clickNode(root->child(1));
    QCOMPARE(part<QLineEdit>("txtFormToOpen")->text(), QString());
    QVERIFY(!part<QPushButton>("cmdOpen")->isEnabled());
    QCOMPARE(listed(), texts({"Loading Survey", "Discharging Survey"}));
    // The root lists nothing of its own.
    clickNode(root);
    QCOMPARE(listed(), texts({"Loading Survey", "Discharging Survey"}));
}

// clang-format off
void TestOpenDialog::typedNamesMatchExactly_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("opened");

    QTest::newRow("Port") << text("Port") << text("frmPortMaster");
    QTest::newRow("Ship Particulars") << text("Ship Particulars") << text("frmShipParticulars");
    QTest::newRow("lower case") << text("port") << QString();
    QTest::newRow("blank around") << text(" Port") << QString();
    // A window this build does not hold opens nothing and breaks nothing.
    QTest::newRow("unregistered") << text("Loading Survey") << QString();
}
// clang-format on

void TestOpenDialog::typedNamesMatchExactly() {
    QFETCH(QString, typed);
    QFETCH(QString, opened);

    QTest::keyClicks(part<QLineEdit>("txtFormToOpen"), typed);
    QTest::mouseClick(part<QPushButton>("cmdOpen"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(openedWindow(), opened);
    QCOMPARE(m_shell->frame->openChildren(), opened.isEmpty() ? 0 : 1);
}

void TestOpenDialog::doubleClickOpensAndCloses() {
    auto* list = part<QListWidget>("lvOpen");
    const QPoint at = list->visualItemRect(item("Ship Particulars")).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(openedWindow(), text("frmShipParticulars"));
}

// clang-format off
void TestOpenDialog::ctrlOShowsItAndItsUnloadSetsTheHint_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("status");

    QTest::newRow("cancel") << QString() << text("Press Ctrl-O to open the Open file box");
    QTest::newRow("open") << text("Port") << QString();
}
// clang-format on

void TestOpenDialog::ctrlOShowsItAndItsUnloadSetsTheHint() {
    QFETCH(QString, typed);
    QFETCH(QString, status);

    m_dialog.reset();
    QVERIFY(m_shell->find<QAction>("mnuFile(2)")->isEnabled());
    m_shell->frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_shell->frame.get()));
    // The dialog is modal: it is answered from inside its own event loop.
    QString shown;
    QTimer::singleShot(0, this, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        shown = dialog->objectName();
        QTest::keyClicks(dialog->findChild<QLineEdit*>(text("txtFormToOpen")), typed);
        QTest::mouseClick(
            dialog->findChild<QPushButton*>(text(typed.isEmpty() ? "cmdCancel" : "cmdOpen")),
            Qt::LeftButton);
    });
    QTest::keyClick(m_shell->frame.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(shown, text("frmOpen"));
    QCOMPARE(m_shell->frame->statusMessage(), status);
    QCOMPARE(m_shell->frame->openChildren(), typed.isEmpty() ? 0 : 1);
}

void TestOpenDialog::activatingAMasterWindowClearsTheHint() {
    m_dialog.reset();
    m_shell->frame->openWorkingChild(WorkingWindow::PortMaster);
    m_shell->frame->openWorkingChild(WorkingWindow::ShipParticulars);
    m_shell->frame->setStatusMessage(text("You can press the Delete key to delete this record"));
    m_shell->frame->mdiArea().activatePreviousSubWindow();
    QCOMPARE(openedWindow(), text("frmPortMaster"));
    QCOMPARE(m_shell->frame->statusMessage(), QString());
}

QTEST_MAIN(TestOpenDialog)
#include "test_open_dialog.moc"
