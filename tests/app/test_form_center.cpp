#include "form_center.h"
#include "frm_about.h"

#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

namespace {

enum class Window { FixedLayoutDialog, AboutBox, ResizedWindow, TooLarge, Child };

// The window to centre and, for a child, the window holding it.
std::unique_ptr<QWidget> made(Window kind, QWidget& holder) {
    switch (kind) {
    case Window::FixedLayoutDialog: {
        auto dialog = std::make_unique<QDialog>(&holder);
        auto* label = new QLabel(dialog.get());
        label->setFixedSize(300, 200);
        auto* layout = new QVBoxLayout(dialog.get());
        layout->addWidget(label);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        return dialog;
    }
    case Window::AboutBox:
        return std::make_unique<frmAbout>();
    case Window::ResizedWindow:
    case Window::TooLarge: {
        auto window = std::make_unique<QWidget>();
        window->resize(kind == Window::TooLarge ? QSize(5000, 4000) : QSize(500, 300));
        return window;
    }
    case Window::Child: {
        auto child = std::make_unique<QWidget>(&holder);
        child->resize(200, 100);
        return child;
    }
    }
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(Window)

class TestFormCenter : public QObject {
    Q_OBJECT

private slots:
    void centres_data();
    void centres();
};

// clang-format off
void TestFormCenter::centres_data() {
    QTest::addColumn<Window>("kind");
    QTest::addColumn<bool>("topLeftOfArea"); // too large to centre

    QTest::newRow("dialog before its first show") << Window::FixedLayoutDialog << false;
    QTest::newRow("About box before its first show") << Window::AboutBox << false;
    QTest::newRow("window its caller sized") << Window::ResizedWindow << false;
    QTest::newRow("larger than the screen") << Window::TooLarge << true;
    QTest::newRow("child inside its window") << Window::Child << false;
}
// clang-format on

void TestFormCenter::centres() {
    QFETCH(Window, kind);
    QFETCH(bool, topLeftOfArea);
    QWidget holder;
    holder.resize(600, 400);
    const std::unique_ptr<QWidget> window = made(kind, holder);
    const QSize defaultSize = window->size();
    QVERIFY(FormCenter(*window));

    const QRect area = window->isWindow() ? holder.screen()->availableGeometry() : holder.rect();
    // The size it shows with, not the size Qt gives a window never shown.
    window->show();
    window->window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(window->window()));
    const QRect shown = window->isWindow() ? window->frameGeometry() : window->geometry();
    if (kind == Window::FixedLayoutDialog || kind == Window::AboutBox)
        QVERIFY(shown.size() != defaultSize);
    if (topLeftOfArea) {
        QCOMPARE(shown.topLeft(), area.topLeft());
        return;
    }
    // The frame the platform draws only after the show may shift it a little.
    const int slack = window->isWindow() ? 3 : 1;
    QVERIFY2(qAbs(shown.center().x() - area.center().x()) <= slack &&
                 qAbs(shown.center().y() - area.center().y()) <= slack,
             qPrintable(QStringLiteral("(%1, %2) %3x%4")
                            .arg(shown.x())
                            .arg(shown.y())
                            .arg(shown.width())
                            .arg(shown.height())));
}

QTEST_MAIN(TestFormCenter)
#include "test_form_center.moc"
