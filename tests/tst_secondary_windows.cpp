#include "form_harness.h"

#include <QAccessible>
#include <QWindow>
#include <QScreen>
#include <QTest>

namespace {

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The outer frame of a window is centred on its screen.
bool centred(const QWidget& window)
{
    const QPoint screen = window.screen()->geometry().center();
    const QPoint centre = window.frameGeometry().center();
    return std::abs(screen.x() - centre.x()) <= 1 && std::abs(screen.y() - centre.y()) <= 1;
}

// A main window in test mode with a kana on display.
struct Quiz : FormHarness {
    Quiz()
    {
        katakana(0)->setChecked(true);
        check("TestMode")->setChecked(true);
        button("Command1")->click();
        showActive();
    }

    windows::Form2* answerWrong()
    {
        answerBox()->setText("zzz");
        button("cmdcheck")->click();
        return form().wrongAnswerWindow();
    }

    windows::Form3* openAbout()
    {
        button("Command6")->click();
        return form().aboutWindow();
    }

    // Enter on the window's focused button; true when the window is gone.
    bool closeWithEnter(windows::PictureWindow* opened)
    {
        QPointer<windows::PictureWindow> window = opened;
        if (!QTest::qWaitFor([&] { return QApplication::focusWidget() == window->button(); }))
            return false;
        QTest::keyClick(window->button(), Qt::Key_Return);
        processDeferredDeletes();
        return !window;
    }

    QStringList score() const { return {label("lblcorrect"), label("lblmissed"), label("lblpercent")}; }
};

} // namespace

class SecondaryWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void wrongAnswerWindow()
    {
        Quiz quiz;
        windows::Form2* wrong = quiz.answerWrong();
        QVERIFY(wrong);
        QVERIFY(wrong->isWindow() && wrong->isVisible() && wrong->isEnabled());
        QVERIFY(wrong->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(wrong->windowFlags() & Qt::WindowType_Mask, Qt::Dialog); // over the main window, no task-bar button
        QCOMPARE(wrong->size(), QSize(229, 413)); // 3435 x 6195 twips
        QVERIFY(centred(*wrong));
        auto* picture = wrong->findChild<QLabel*>("Image1");
        QCOMPARE(picture->geometry(), QRect(0, 0, 225, 350));
        QVERIFY(picture->hasScaledContents());
        QCOMPARE(picture->pixmap().size(), QSize(226, 350));
        QCOMPARE(wrong->button()->text(), QString("YOU ARE WRONG! YOU HAVE NO HONOR! YOU MUST TRY AGAIN OR DIE!"));
        QCOMPARE(wrong->button()->geometry(), QRect(0, 352, 225, 57));
        QVERIFY(wrong->button()->isDefault());
        QVERIFY(!quiz.form().isEnabled());
    }

    // Enter on the focused button closes the window and hands back the main
    // window with the same kana to answer again, the keyboard in the answer
    // box where Enter was pressed.
    void enterClosesTheWrongAnswerWindow()
    {
        Quiz quiz;
        const std::string shown = quiz.state().answer;
        QTest::keyClicks(quiz.answerBox(), "zzz");
        QTest::keyClick(quiz.answerBox(), Qt::Key_Return);
        QPointer<windows::Form2> wrong = quiz.form().wrongAnswerWindow();
        QVERIFY(quiz.closeWithEnter(wrong));
        QVERIFY(quiz.form().isEnabled());
        QVERIFY(quiz.button("cmdcheck")->isEnabled());
        QCOMPARE(quiz.state().answer, shown);
        QTRY_VERIFY(quiz.form().isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), quiz.answerBox());
        // Corrected and checked again with Enter; each wrong answer makes
        // the window anew, centred again.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(quiz.answerBox()->text(), QString("zz"));
        QCOMPARE(quiz.label("lblmissed"), QString("2"));
        QPointer<windows::Form2> again = quiz.form().wrongAnswerWindow();
        QVERIFY(again && again != wrong);
        QVERIFY(centred(*again));
    }

    // Each window stays above the main window on any desktop and tells a
    // screen reader what it is. The main window cannot be closed under it;
    // closing the window itself by a window manager's close key or the
    // session ending must never leave the main window disabled.
    void heldOverTheMainWindow_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("name");
        QTest::newRow("wrong answer") << false << QAccessible::AlertMessage << "Wrong answer";
        QTest::newRow("about") << true << QAccessible::Dialog << "About Quelvane";
    }

    void heldOverTheMainWindow()
    {
        QFETCH(bool, about);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, name);
        Quiz quiz;
        const bool checkEnabled = quiz.button("cmdcheck")->isEnabled();
        QPointer<windows::PictureWindow> window;
        if (about)
            window = quiz.openAbout();
        else
            window = quiz.answerWrong();
        QVERIFY(!quiz.form().isEnabled());
        QCOMPARE(window->windowHandle()->transientParent(), quiz.form().windowHandle());
        QCOMPARE(QAccessible::queryAccessibleInterface(window)->role(), role);
        QCOMPARE(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name), name);
        quiz.form().activateWindow();
        QTRY_VERIFY(quiz.form().isActiveWindow());
        QVERIFY(!quiz.form().windowHandle()->close()); // refused, the window raised instead
        QTRY_VERIFY(window->isActiveWindow());
        window->windowHandle()->close(); // as the window manager closes it
        processDeferredDeletes();
        QVERIFY(!window);
        QVERIFY(quiz.form().isEnabled());
        QCOMPARE(quiz.button("cmdcheck")->isEnabled(), about ? checkEnabled : true);
        QVERIFY(quiz.form().windowHandle()->close());
    }

    void aboutWindow()
    {
        Quiz quiz;
        windows::Form3* about = quiz.openAbout();
        QVERIFY(about && about->isVisible());
        QVERIFY(!quiz.form().isEnabled());
        QVERIFY(about->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(about->size(), QSize(318, 497)); // 4770 x 7455 twips
        QVERIFY(centred(*about));
        auto* picture = about->findChild<QLabel*>("Image1");
        QCOMPARE(picture->geometry(), QRect(0, 0, 319, 444)); // one pixel cut off at the right
        QCOMPARE(picture->pixmap().size(), QSize(432, 652));
        QVERIFY(about->button()->text().startsWith("Quelvane - Version 1.5"));
        QVERIFY(!about->button()->isDefault());
        QVERIFY(about->button()->captionFits());
    }

    void aboutLeavesTheQuizAlone()
    {
        Quiz quiz;
        quiz.button("Command4")->click(); // reveal: labels written, answer shown
        quiz.button("Command1")->click();
        quiz.katakana(0)->setChecked(false);
        quiz.button("Command1")->click(); // nothing ticked: the check is disabled
        QVERIFY(!quiz.button("cmdcheck")->isEnabled());
        const QString text = quiz.answerBox()->text();
        const std::string answer = quiz.state().answer;
        const QStringList score = quiz.score();
        quiz.check("chkDupes")->setFocus();

        QVERIFY(quiz.closeWithEnter(quiz.openAbout()));
        QVERIFY(quiz.form().isEnabled());
        QVERIFY(!quiz.button("cmdcheck")->isEnabled());
        QCOMPARE(quiz.answerBox()->text(), text);
        QCOMPARE(quiz.state().answer, answer);
        QCOMPARE(quiz.score(), score);
        // Access keys work again at once, the keyboard where it was.
        QTRY_VERIFY(quiz.form().isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), quiz.check("chkDupes"));
        QTest::keyClick(&quiz.form(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(!quiz.check("TestMode")->isChecked());
    }

    void wrappingCaptionsFit()
    {
        Quiz quiz;
        windows::Form2* wrong = quiz.answerWrong();
        QVERIFY(wrong->button()->captionFits());
        QVERIFY(wrong->button()->fontMetrics().horizontalAdvance(wrong->button()->text()) > wrong->button()->width());
    }
};

QTEST_MAIN(SecondaryWindowsTest)
#include "tst_secondary_windows.moc"
