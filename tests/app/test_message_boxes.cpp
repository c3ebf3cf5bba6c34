#include "application.h"
#include "errors.h"
#include "message_box_service.h"

#include <QPushButton>
#include <QTest>
#include <stdexcept>

Q_DECLARE_METATYPE(Message)

// The message boxes the user sees, and the errors that reach them instead
// of ending the program.
class TestMessageBoxes : public QObject {
    Q_OBJECT

private slots:
    void theBoxShowsTheMessageAsAsked_data();
    void theBoxShowsTheMessageAsAsked();
    void theBoxIsWideEnoughForItsTitle_data();
    void theBoxIsWideEnoughForItsTitle();
    void anErrorInAHandlerIsShownAndTheProgramGoesOn_data();
    void anErrorInAHandlerIsShownAndTheProgramGoesOn();
};

// clang-format off
void TestMessageBoxes::theBoxShowsTheMessageAsAsked_data() {
    QTest::addColumn<Message>("message");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::addColumn<QMessageBox::StandardButton>("defaultButton");

    const QString twoParts = QStringLiteral("Invalid Net Displacement value.\r\n\r\nPlease check.");
    QTest::newRow("warning") << Message{MessageIcon::Exclamation, QStringLiteral("Calvane Lt"),
                                        twoParts, MessageButtons::Ok, MessageAnswer::Ok} << QMessageBox::Warning << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::Ok;
    QTest::newRow("question, No by default") << Message{MessageIcon::Question, QStringLiteral("Calvane Lt"), twoParts,
                   MessageButtons::YesNo, MessageAnswer::No} << QMessageBox::Question << (QMessageBox::Yes | QMessageBox::No) << QMessageBox::No;
    QTest::newRow("save, discard or cancel") << Message{MessageIcon::Question, QStringLiteral("Calvane Lt"), twoParts,
                   MessageButtons::SaveDiscardCancel, MessageAnswer::Save} << QMessageBox::Question << (QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel) << QMessageBox::Save;
    QTest::newRow("error with its own title") << Message{MessageIcon::Critical, QStringLiteral("Calvane Lt-10066"), twoParts,
                   MessageButtons::OkCancel, MessageAnswer::Ok} << QMessageBox::Critical << (QMessageBox::Ok | QMessageBox::Cancel) << QMessageBox::Ok;
}
// clang-format on

void TestMessageBoxes::theBoxShowsTheMessageAsAsked() {
    QFETCH(Message, message);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(QMessageBox::StandardButton, defaultButton);

    const std::unique_ptr<QMessageBox> box = buildMessageBox(message);

    QCOMPARE(box->icon(), icon);
    QCOMPARE(box->windowTitle(), message.title);
    // Plain text, so a "<" in a description stays a "<".
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->text(), QStringLiteral("Invalid Net Displacement value.\n\nPlease check."));
    QCOMPARE(box->standardButtons(), buttons);
    QCOMPARE(box->standardButton(box->defaultButton()), defaultButton);
}

// clang-format off
void TestMessageBoxes::theBoxIsWideEnoughForItsTitle_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("debug trace") << "Calvane Lt" << "loading tip of day";
    QTest::newRow("long title, short text") << "Hydrostatic Data Table" << "OK?";
}
// clang-format on

void TestMessageBoxes::theBoxIsWideEnoughForItsTitle() {
    QFETCH(QString, title);
    QFETCH(QString, text);
    const std::unique_ptr<QMessageBox> box =
        buildMessageBox({MessageIcon::None, title, text, MessageButtons::Ok, MessageAnswer::Ok});
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    const QFontMetrics metrics(box->font());
    QVERIFY2(box->width() >= metrics.horizontalAdvance(title) + titleBarButtonsWidth,
             qPrintable(QString::number(box->width())));
}

// clang-format off
void TestMessageBoxes::anErrorInAHandlerIsShownAndTheProgramGoesOn_data() {
    QTest::addColumn<bool>("programError");
    QTest::addColumn<QString>("description");

    QTest::newRow("program error") << true << "Division by zero";
    QTest::newRow("library error") << false << "vector::at";
}
// clang-format on

void TestMessageBoxes::anErrorInAHandlerIsShownAndTheProgramGoesOn() {
    QFETCH(bool, programError);
    QFETCH(QString, description);

    ScopedMessageRecorder messages;
    QPushButton button;
    button.setObjectName(QStringLiteral("cmdCalculate"));
    int clicks = 0;
    connect(&button, &QPushButton::clicked, this, [&] {
        ++clicks;
        if (programError)
            throw ProgramError::divisionByZero();
        throw std::out_of_range("vector::at");
    });
    button.show();

    // Twice, so the program has gone on after the first. The click that
    // failed is reported to the test as not taken.
    for (int click = 0; click < 2; ++click) {
        QTest::ignoreMessage(QtWarningMsg,
                             "Mouse event \"MouseRelease\" not accepted by receiving widget");
        QTest::mouseClick(&button, Qt::LeftButton);
    }

    QCOMPARE(clicks, 2);
    QCOMPARE(messages.shown().size(), 2);
    QCOMPARE(messages.shown().first().icon, MessageIcon::Critical);
    QVERIFY(messages.shown().first().text.startsWith(description + QStringLiteral("\r\n\r\n")));
}

int main(int argc, char** argv) {
    Application application(argc, argv);
    TestMessageBoxes test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_message_boxes.moc"
