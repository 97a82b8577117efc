// The program as the learner starts and ends it, and the wrong-answer and
// About windows over the main window.

#include "tests/support/child_streams.h"
#include "tests/support/form_harness.h"
#include "tests/support/test_data.h"
#include "widgets/picture_label.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

// A main window in test mode with a kana on display, and over it the
// wrong-answer window after a wrong answer typed and checked with Enter, or
// About, opened with nothing ticked (the check disabled) and the keyboard
// on a tick box.
struct WindowOver : FormHarness {
    explicit WindowOver(bool about)
    {
        startTestRound(0);
        showActive();
        if (!about) {
            QTest::keyClicks(keyboard, "zzz");
            QTest::keyClick(keyboard, Qt::Key_Return);
            window = form().wrongAnswerWindow();
            return;
        }
        button("Command4")->click(); // labels written, answer shown
        katakana(0)->setChecked(false);
        button("Command1")->click();
        keyboard = check("chkDupes");
        keyboard->setFocus();
        button("Command6")->click();
        window = form().aboutWindow();
    }
    QWidget* keyboard = answerBox(); // where it was before the window opened
    QPointer<windows::PictureWindow> window;
};

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT
private slots:
    // As laid out, the picture from the file made for the screen and
    // stretched into its control, the keyboard on the button at once, above
    // the main window on any desktop.
    void opensOverTheDisabledMainWindow_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<QRect>>("controls"); // picture, button; the About picture a pixel past the edge
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("art"); // its picture's size, twice that on a denser screen
        QTest::newRow("wrong answer") << false << QSize(229, 413) << QList<QRect>{{0, 0, 225, 350}, {0, 352, 225, 57}}
                                      << "YOU ARE WRONG! YOU HAVE NO HONOR! YOU MUST TRY AGAIN OR DIE!" << QSize(226, 350);
        QTest::newRow("about") << true << QSize(318, 497) << QList<QRect>{{0, 0, 319, 444}, {0, 445, 317, 49}}
                               << "Quelvane - Version 1.5\n" << QSize(432, 652);
    }

    void opensOverTheDisabledMainWindow()
    {
        QFETCH(bool, about);
        QFETCH(QSize, size);
        QFETCH(QList<QRect>, controls);
        QFETCH(QString, caption);
        QFETCH(QSize, art);
        const ThemeFontAndColours theme; // its font never reaches the fixed windows
        WindowOver quiz(about);
        windows::PictureWindow* window = quiz.window;
        QVERIFY(window->isVisible() && window->isEnabled() && !quiz.form().isEnabled());
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Dialog); // some window managers keep the keyboard from a tool window
        QCOMPARE(window->size(), size);
        QVERIFY(Centred(*window));
        auto* image = window->findChild<widgets::PictureLabel*>("Image1");
        QCOMPARE((QList<QRect>{image->geometry(), window->button()->geometry()}), controls);
        QCOMPARE(image->chosenPicture().size(), window->devicePixelRatioF() > 1 ? art * 2 : art);
        QCOMPARE(image->drawnPicture().size(), image->size() * window->devicePixelRatioF());
        QVERIFY(window->button()->text().startsWith(caption) && window->button()->captionFits());
        QCOMPARE(window->button()->isDefault(), !about);
        QCOMPARE(window->focusWidget(), window->button());
        QTRY_VERIFY(window->isActiveWindow());
        QCOMPARE(window->windowHandle()->transientParent(), quiz.form().windowHandle());
    }

    // A click on the disabled main window activates it on some desktops: the
    // keyboard goes straight back. Closing it is refused the same way.
    void mainWindowUnderItGivesTheKeyboardBack_data() { opensOverTheDisabledMainWindow_data(); }
    void mainWindowUnderItGivesTheKeyboardBack()
    {
        QFETCH(bool, about);
        WindowOver quiz(about);
        QTRY_VERIFY(quiz.window->isActiveWindow());
        QSignalSpy focusMoves(qApp, &QGuiApplication::focusWindowChanged);
        quiz.form().activateWindow();
        QTRY_COMPARE(focusMoves.size(), 2);
        QVERIFY(!quiz.form().windowHandle()->close());
        QCOMPARE(QGuiApplication::focusWindow(), quiz.window->windowHandle());
    }

    // Closed by Enter on its button, or by a window manager's close key or
    // the session ending, it hands back the main window as it was, the
    // keyboard where it was, access keys working: the same kana to answer
    // again after a wrong answer; the quiz untouched after About, even a
    // disabled check.
    void closingHandsBackTheMainWindowAsItWas_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("wrong answer, closed by Enter") << false << true;
        QTest::newRow("wrong answer, closed by the window manager") << false << false;
        QTest::newRow("about, closed by Enter") << true << true;
        QTest::newRow("about, closed by the window manager") << true << false;
    }

    void closingHandsBackTheMainWindowAsItWas()
    {
        QFETCH(bool, about);
        QFETCH(bool, byEnter);
        WindowOver quiz(about);
        const std::string answer = quiz.state().answer;
        const QStringList score = quiz.score();
        if (byEnter)
            QTest::keyClick(quiz.window->button(), Qt::Key_Return);
        else
            quiz.window->windowHandle()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!quiz.window && quiz.form().isEnabled());
        QCOMPARE(quiz.button("cmdcheck")->isEnabled(), !about);
        QCOMPARE(quiz.state().answer, answer);
        QCOMPARE(quiz.score(), score);
        QTRY_VERIFY(quiz.form().isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), quiz.keyboard);
        QTest::keyClick(&quiz.form(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(!quiz.check("TestMode")->isChecked());
    }

    // The answer corrected and checked with Enter in the answer box opens
    // the window again, centred again.
    void eachWrongAnswerOpensItsWindowAnew()
    {
        WindowOver quiz(false);
        QTest::keyClick(quiz.window->button(), Qt::Key_Return);
        QTRY_VERIFY(quiz.form().isActiveWindow());
        QTest::keyClick(quiz.keyboard, Qt::Key_Backspace);
        QTest::keyClick(quiz.keyboard, Qt::Key_Return);
        QCOMPARE(quiz.answerBox()->text(), QString("zz"));
        QCOMPARE(quiz.label("lblmissed"), QString("2"));
        QVERIFY(quiz.form().wrongAnswerWindow() && Centred(*quiz.form().wrongAnswerWindow()));
    }

    // The whole program as `main` runs it: the main window shown, active,
    // the keyboard on "Display another Kana / SKIP". "Exit", Alt+X (the
    // disabled "Lax Definitions" takes no part) or the close box end it at
    // once, a kana on display and nothing asked.
    // When another program destroys the main window, the program ends with
    // status 1 once the learner closes the window left over it.
    void exitAltXOrTheCloseBoxEndsTheProgram_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("status");
        QTest::newRow("Exit") << 0 << 0;
        QTest::newRow("Alt+X") << 1 << 0;
        QTest::newRow("close box") << 2 << 0;
        QTest::newRow("main window destroyed under the wrong-answer window") << 3 << 1;
    }

    void exitAltXOrTheCloseBoxEndsTheProgram()
    {
        QFETCH(int, way);
        QFETCH(int, status);
        const QObject run; // a program that never ends is ended with 99
        QTimer::singleShot(5000, &run, [] { QCoreApplication::exit(99); });
        QTimer::singleShot(0, [way] {
            QTRY_VERIFY(qobject_cast<windows::Form1*>(QApplication::activeWindow()));
            QWidget* form = QApplication::activeWindow();
            QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command1"));
            form->findChild<QCheckBox*>("displaykatakana(0)")->setChecked(true);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            QVERIFY(!form->findChild<QLineEdit*>("txtKananame")->text().isEmpty());
            if (way == 0)
                QTest::keyClick(form->findChild<QPushButton*>("Command5"), Qt::Key_Space);
            else if (way == 1)
                QTest::keyClick(form, Qt::Key_X, Qt::AltModifier);
            else if (way == 2)
                form->windowHandle()->close();
            if (way < 3)
                return;
            form->findChild<QCheckBox*>("TestMode")->setChecked(true);
            QTest::keyClick(form->findChild<QPushButton*>("Command1"), Qt::Key_Space);
            form->findChild<QLineEdit*>("txtKananame")->setText("zzz");
            QTest::keyClick(form->findChild<QPushButton*>("cmdcheck"), Qt::Key_Space);
            QPointer<windows::Form2> wrong = form->findChild<windows::Form2*>();
            QVERIFY(wrong && wrong->isVisible());
            form->windowHandle()->destroy();
            QTest::keyClick(wrong->button(), Qt::Key_Return);
        });
        QCOMPARE(windows::RunQuelvane(), status);
    }

    // The real program, started where it cannot go on: where no display
    // can be opened it says so in one line and how to start it instead,
    // rather than aborting with Qt's own advice; and with no data anywhere,
    // both places it looked are named as the system spells them, even a
    // folder name that is not valid UTF-8. What Qt said of a platform it
    // could not open is still said when the next one opens.
    void cannotStart_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QByteArray>("said");
        QTest::addColumn<bool>("errorBroken"); // a pipe nobody reads: no signal ends it before its message box
        QTest::newRow("no display") << QString() << QByteArray() << QByteArray("QT_QPA_PLATFORM=offscreen") << false;
        QTest::newRow("no server on the display") << ":9999" << QByteArray() << QByteArray("QT_QPA_PLATFORM=offscreen") << false;
        QTest::newRow("no data, folder name not in UTF-8") << "offscreen" << QByteArray("bin\xff")
            << QByteArray("<copy>/bin\xff/kat/symbols.txt: not found, and neither is <copy>/share/quelvane/kat/symbols.txt") << false;
        QTest::newRow("no data, opened on a second platform") << "xcb;offscreen" << QByteArray("bin") << QByteArray("xcb: could not connect") << false;
        QTest::newRow("no data, standard error broken") << "offscreen" << QByteArray("bin") << QByteArray() << true;
    }

    void cannotStart()
    {
        QFETCH(QString, display);
        QFETCH(QByteArray, folder);
        QFETCH(QByteArray, said);
        QFETCH(bool, errorBroken);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "DISPLAY"})
            environment.remove(name);
        environment.insert(display.endsWith("offscreen") ? "QT_QPA_PLATFORM" : "DISPLAY", display);
        QString program = QCoreApplication::applicationDirPath() + "/../windows/quelvane";
        QTemporaryDir copy;
        if (!folder.isEmpty()) {
            const std::filesystem::path bin = copy.path().toStdString() + "/" + folder.toStdString();
            std::filesystem::create_directory(bin);
            std::filesystem::copy_file(program.toStdString(), bin / "quelvane");
            // Started through a link, as a name that is not text cannot be
            // passed as one; the program still finds where it really is.
            program = copy.filePath("quelvane");
            std::filesystem::create_symlink(bin / "quelvane", program.toStdString());
        }
        QProcess run;
        if (errorBroken && !StartWith(run, ChildStreams::ErrorBroken))
            QSKIP("no broken pipes here");
        run.setProcessEnvironment(environment);
        run.start(program, {});
        const bool finished = run.waitForFinished(30000);
        std::filesystem::remove_all(copy.path().toStdString()); // QTemporaryDir cannot remove a name that is not text
        const QByteArray output = run.readAllStandardError() + run.readAllStandardOutput();
        QVERIFY(finished && run.exitStatus() == QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 1);
        QVERIFY2(output.contains(said.replace("<copy>", QFile::encodeName(copy.path()))) && !output.contains("Reinstalling"), output.constData());
        if (folder.isEmpty())
            QCOMPARE(output.count('\n'), 1);
    }

    // Started with its standard streams closed, the program holds the null
    // device in their place before it opens anything, so that no file or
    // connection of its own takes their numbers and receives its warnings.
    void startedWithoutStandardStreams()
    {
        QProcess run;
        if (!StartWith(run, ChildStreams::Closed))
            QSKIP("no closed standard streams here");
        run.start(QCoreApplication::applicationDirPath() + "/../windows/quelvane", {});
        // Until its exec, the child holds the test's own descriptors.
        QVERIFY(run.waitForStarted());
        const QString fds = QString("/proc/%1/fd/").arg(run.processId());
        const auto targets = [&fds] { QStringList all; for (int fd = 0; fd < 16; ++fd) all << QFile::symLinkTarget(fds + QString::number(fd)); return all; };
        QTRY_VERIFY(targets().join(' ').contains("eventfd")); // its event loop's wake-up: the program is under way
        QCOMPARE(targets().mid(0, 3), (QStringList{"/dev/null", "/dev/null", "/dev/null"}));
        run.kill();
        run.waitForFinished();
    }
};

QUELVANE_TEST_MAIN(ProgramTest)
#include "tst_program.moc"
