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
        startTestRound(0);
        showActive();
    }

    // The About window, or the wrong-answer window after a wrong answer.
    windows::PictureWindow* open(bool about)
    {
        answerBox()->setText("zzz");
        button(about ? "Command6" : "cmdcheck")->click();
        return about ? static_cast<windows::PictureWindow*>(form().aboutWindow()) : form().wrongAnswerWindow();
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
};

} // namespace

class SecondaryWindowsTest : public QObject {
    Q_OBJECT
private slots:
    // Both windows as laid out, over the disabled main window; the picture
    // is stretched into its control, its right edge cut off in About.
    void design_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("picture");
        QTest::addColumn<QRect>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("art"); // its picture's size, twice that on a denser screen
        QTest::newRow("wrong answer") << false << QSize(229, 413) << QRect(0, 0, 225, 350) << QRect(0, 352, 225, 57)
                                      << "YOU ARE WRONG! YOU HAVE NO HONOR! YOU MUST TRY AGAIN OR DIE!" << QSize(226, 350);
        QTest::newRow("about") << true << QSize(318, 497) << QRect(0, 0, 319, 444) << QRect(0, 445, 317, 49)
                               << "Quelvane - Version 1.5\n" << QSize(432, 652);
    }

    void design()
    {
        QFETCH(bool, about);
        QFETCH(QSize, size);
        QFETCH(QRect, picture);
        QFETCH(QRect, button);
        QFETCH(QString, caption);
        QFETCH(QSize, art);
        Quiz quiz;
        windows::PictureWindow* window = quiz.open(about);
        QVERIFY(window->isVisible() && window->isEnabled() && !quiz.form().isEnabled());
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
        QCOMPARE(window->size(), size);
        QVERIFY(centred(*window));
        auto* image = window->findChild<QLabel*>("Image1");
        QCOMPARE(image->geometry(), picture);
        QVERIFY(image->hasScaledContents());
        QCOMPARE(image->pixmap().size(), window->devicePixelRatioF() > 1 ? art * 2 : art);
        QCOMPARE(window->button()->geometry(), button);
        QVERIFY(window->button()->text().startsWith(caption));
        QVERIFY(window->button()->captionFits());
        QCOMPARE(window->button()->isDefault(), !about);
    }

    // Enter on the focused button closes the window and hands back the main
    // window as it was, the keyboard where it was, access keys working: the
    // same kana to answer again after a wrong answer, corrected and checked
    // with Enter in the answer box; the quiz untouched after About, even a
    // disabled check.
    void closedWithEnter_data()
    {
        QTest::addColumn<bool>("about");
        QTest::newRow("wrong answer") << false;
        QTest::newRow("about") << true;
    }

    void closedWithEnter()
    {
        QFETCH(bool, about);
        Quiz quiz;
        QWidget* focus = quiz.answerBox();
        if (about) {
            quiz.button("Command4")->click(); // labels written, answer shown
            quiz.katakana(0)->setChecked(false);
            quiz.button("Command1")->click(); // nothing ticked: the check is disabled
            focus = quiz.check("chkDupes");
            focus->setFocus();
            quiz.button("Command6")->click();
        } else {
            QTest::keyClicks(focus, "zzz");
            QTest::keyClick(focus, Qt::Key_Return);
        }
        const std::string answer = quiz.state().answer;
        const QStringList score = quiz.score();
        QPointer<windows::PictureWindow> window = about ? static_cast<windows::PictureWindow*>(quiz.form().aboutWindow())
                                                        : quiz.form().wrongAnswerWindow();
        QVERIFY(quiz.closeWithEnter(window));
        QVERIFY(quiz.form().isEnabled());
        QCOMPARE(quiz.button("cmdcheck")->isEnabled(), !about);
        QCOMPARE(quiz.state().answer, answer);
        QCOMPARE(quiz.score(), score);
        QTRY_VERIFY(quiz.form().isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), focus);
        if (about) {
            QTest::keyClick(&quiz.form(), Qt::Key_T, Qt::AltModifier);
            QTRY_VERIFY(!quiz.check("TestMode")->isChecked());
            return;
        }
        // Each wrong answer makes the window anew, centred again.
        QTest::keyClick(focus, Qt::Key_Backspace);
        QTest::keyClick(focus, Qt::Key_Return);
        QCOMPARE(quiz.answerBox()->text(), QString("zz"));
        QCOMPARE(quiz.label("lblmissed"), QString("2"));
        QPointer<windows::Form2> again = quiz.form().wrongAnswerWindow();
        QVERIFY(again && again != window);
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
        QPointer<windows::PictureWindow> window = quiz.open(about);
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
};

QTEST_MAIN(SecondaryWindowsTest)
#include "tst_secondary_windows.moc"
