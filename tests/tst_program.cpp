// The program as the learner starts and ends it, and the wrong-answer and
// About windows over the main window.

#include "form_harness.h"

#include <QAccessible>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {


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
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !window;
    }
};

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT
private slots:
    // Both windows as laid out, over the disabled main window, the picture
    // stretched into its control; each stays above the main window on any
    // desktop and tells a screen reader what it is. The main window cannot
    // be closed under it; closing the window itself by a window manager's
    // close key or the session ending never leaves the main window disabled.
    void overTheMainWindow_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("art"); // its picture's size, twice that on a denser screen
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("name");
        QTest::newRow("wrong answer") << false << QSize(229, 413) << "YOU ARE WRONG! YOU HAVE NO HONOR! YOU MUST TRY AGAIN OR DIE!"
                                      << QSize(226, 350) << QAccessible::AlertMessage << "Wrong answer";
        QTest::newRow("about") << true << QSize(318, 497) << "Quelvane - Version 1.5\n" << QSize(432, 652)
                               << QAccessible::Dialog << "About Quelvane";
    }

    void overTheMainWindow()
    {
        QFETCH(bool, about);
        QFETCH(QSize, size);
        QFETCH(QString, caption);
        QFETCH(QSize, art);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, name);
        Quiz quiz;
        const bool checkEnabled = quiz.button("cmdcheck")->isEnabled();
        QPointer<windows::PictureWindow> window = quiz.open(about);
        QVERIFY(window->isVisible() && window->isEnabled() && !quiz.form().isEnabled());
        QVERIFY(window->windowTitle().isEmpty());
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
        QCOMPARE(window->size(), size);
        QVERIFY(centred(*window));
        auto* image = window->findChild<QLabel*>("Image1");
        QVERIFY(image->hasScaledContents());
        QCOMPARE(image->pixmap().size(), window->devicePixelRatioF() > 1 ? art * 2 : art);
        QVERIFY(window->button()->text().startsWith(caption) && window->button()->captionFits());
        QCOMPARE(window->button()->isDefault(), !about);
        // The keyboard is on its button at once, the window active.
        QCOMPARE(window->focusWidget(), window->button());
        QTRY_VERIFY(window->isActiveWindow());

        QCOMPARE(window->windowHandle()->transientParent(), quiz.form().windowHandle());
        QCOMPARE(QAccessible::queryAccessibleInterface(window)->role(), role);
        QCOMPARE(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name), name);
        quiz.form().activateWindow();
        QTRY_VERIFY(quiz.form().isActiveWindow());
        QVERIFY(!quiz.form().windowHandle()->close()); // refused, the window raised instead
        QTRY_VERIFY(window->isActiveWindow());
        window->windowHandle()->close(); // as the window manager closes it
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
        QVERIFY(quiz.form().isEnabled());
        QCOMPARE(quiz.button("cmdcheck")->isEnabled(), about ? checkEnabled : true);
        QVERIFY(quiz.form().windowHandle()->close());
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

    // The whole program as `main` runs it: the main window shown, active,
    // the keyboard on "Display another Kana / SKIP". "Exit", Alt+X (the
    // disabled "Lax Definitions" takes no part) or the close box end it at
    // once, a kana on display and nothing asked.
    void endsTheProgram_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Exit") << 0;
        QTest::newRow("Alt+X") << 1;
        QTest::newRow("close box") << 2;
    }

    void endsTheProgram()
    {
        QFETCH(int, way);
        QTimer never;
        connect(&never, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        never.start(5000);
        QTimer::singleShot(0, [way] {
            windows::Form1* form = nullptr;
            for (QWidget* window : QApplication::topLevelWidgets())
                form = form ? form : qobject_cast<windows::Form1*>(window);
            QVERIFY(form && form->isVisible());
            QTRY_VERIFY(form->isActiveWindow());
            QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command1"));
            form->findChild<QCheckBox*>("displaykatakana(0)")->setChecked(true);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            QVERIFY(!form->findChild<QLineEdit*>("txtKananame")->text().isEmpty());
            if (way == 0)
                QTest::keyClick(form->findChild<QPushButton*>("Command5"), Qt::Key_Space);
            else if (way == 1)
                QTest::keyClick(form, Qt::Key_X, Qt::AltModifier);
            else
                form->windowHandle()->close();
        });
        QCOMPARE(windows::RunQuelvane(), 0);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The real program, started where it cannot go on: where no display
    // can be opened it says so in one line and how to start it instead,
    // rather than aborting with Qt's own advice; and a missing data file is
    // named by its path as the system spells it, even a folder name that is
    // not valid UTF-8.
    void cannotStart_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QByteArray>("said");
        QTest::newRow("no display") << QString() << QByteArray() << QByteArray("QT_QPA_PLATFORM=offscreen");
        QTest::newRow("no server on the display") << ":9999" << QByteArray() << QByteArray("QT_QPA_PLATFORM=offscreen");
        QTest::newRow("folder name not in UTF-8") << "offscreen" << QByteArray("bin\xff")
                                                  << QByteArray("bin\xff/kat/symbols.txt: not found");
    }

    void cannotStart()
    {
        QFETCH(QString, display);
        QFETCH(QByteArray, folder);
        QFETCH(QByteArray, said);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "DISPLAY"})
            environment.remove(name);
        environment.insert(display == "offscreen" ? "QT_QPA_PLATFORM" : "DISPLAY", display);
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
        run.setProcessEnvironment(environment);
        run.start(program, {});
        QVERIFY(run.waitForFinished(30000));
        const QByteArray output = run.readAllStandardError() + run.readAllStandardOutput();
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 1);
        QVERIFY2(output.contains(said) && !output.contains("Reinstalling"), output.constData());
        if (folder.isEmpty())
            QCOMPARE(output.count('\n'), 1);
    }

    // Screen readers hear the caption without its access-key mark, the score
    // labels with what they count, and nothing that gives the answer away.
    void accessibleNames()
    {
        FormHarness h;
        h.showActive();
        auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        auto names = [&](const QStringList& controls) {
            QStringList said;
            for (const QString& control : controls)
                said << name(h.find(control));
            return said;
        };
        const QStringList counts{"lblcorrect", "lblmissed", "lblpercent"};
        QCOMPARE(names({"Command1", "chkDouble", "displaykatakana(10)", "txtKananame"}),
                 QStringList({"Display another Kana / SKIP", "Show Double Consonats", "N-", "Kana name"}));
        QCOMPARE(names(counts), QStringList({"Correct answers", "Missed answers", "Percent correct"}));
        h.katakana(1)->setChecked(true);
        h.check("TestMode")->setChecked(true);
        h.button("Command1")->click();
        const QString kana = name(h.find("imgKana"));
        QVERIFY(!kana.isEmpty() && !kana.contains(QString::fromStdString(h.state().answer)));
        // A right answer: every count is named with its new value.
        h.answerBox()->setText(QString::fromStdString(h.state().answer));
        h.button("cmdcheck")->click();
        QCOMPARE(names(counts), QStringList({"Correct answers: 1", "Missed answers: 0", "Percent correct: 100.%"}));
    }
};

QUELVANE_TEST_MAIN(ProgramTest)
#include "tst_program.moc"
