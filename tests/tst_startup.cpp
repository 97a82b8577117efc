#include "data_folder.h"
#include "form_harness.h"
#include "windows/startup.h"

#include <QAccessible>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

// Runs the event loop until the program ends; 99 when it never does.
int runUntilQuit(const std::function<void()>& action)
{
    QTimer::singleShot(0, action);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    return QApplication::exec();
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::ConfigureApplication(*qApp); }

    void startsOnGoodData()
    {
        DataFolderCopy data;
        quiz::RandomSource random(1);
        MessageLog log;
        auto form = windows::StartQuelvane(data.path(), random, log.box());
        QVERIFY(form);
        QVERIFY(log.texts.isEmpty());
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command1"));
    }

    // An installed copy keeps its data in ../share/quelvane beside bin/.
    void findsInstalledData()
    {
        QTemporaryDir root;
        const std::filesystem::path share = root.path().toStdString() + "/share/quelvane";
        std::filesystem::create_directories(share);
        std::filesystem::copy(std::filesystem::path(QUELVANE_SHIPPED_DATA), share,
                              std::filesystem::copy_options::recursive);
        std::filesystem::create_directories(root.path().toStdString() + "/bin");
        quiz::RandomSource random(1);
        MessageLog log;
        QVERIFY(windows::StartQuelvane(root.path().toStdString() + "/bin", random, log.box()));
        QVERIFY(log.texts.isEmpty());
    }

    void exitEndsTheProgram()
    {
        FormHarness h;
        h.showActive();
        h.katakana(0)->setChecked(true);
        h.button("Command1")->click();
        QCOMPARE(runUntilQuit([&] { h.button("Command5")->click(); }), 0);
        QVERIFY(h.messages().texts.isEmpty());
    }

    void closeBoxEndsTheProgram()
    {
        FormHarness h;
        h.showActive();
        QCOMPARE(runUntilQuit([&] { h.form().windowHandle()->close(); }), 0);
    }

    // Where no display can be opened the program says so in one line and
    // how to start it instead, rather than aborting with Qt's own advice.
    void noDisplay_data()
    {
        QTest::addColumn<QString>("display");
        QTest::newRow("no display") << QString();
        QTest::newRow("no server on the display") << ":9999";
    }

    void noDisplay()
    {
        QFETCH(QString, display);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "DISPLAY"})
            environment.remove(name);
        if (!display.isEmpty())
            environment.insert("DISPLAY", display);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QCoreApplication::applicationDirPath() + "/../windows/quelvane", {});
        QVERIFY(program.waitForFinished(30000));
        const QString said = QString::fromLocal8Bit(program.readAllStandardError() + program.readAllStandardOutput());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(said.count('\n'), 1);
        QVERIFY2(said.contains("QT_QPA_PLATFORM=offscreen") && !said.contains("Reinstalling"), qPrintable(said));
    }

    // Screen readers hear the caption without its access-key mark, the score
    // labels with what they count, and nothing that gives the answer away.
    void accessibleNames()
    {
        FormHarness h;
        h.showActive();
        auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QCOMPARE(name(h.button("Command1")), QString("Display another Kana / SKIP"));
        QCOMPARE(name(h.check("chkDouble")), QString("Show Double Consonats"));
        QCOMPARE(name(h.katakana(10)), QString("N-"));
        QCOMPARE(name(h.answerBox()), QString("Kana name"));
        QCOMPARE(name(h.find("lblcorrect")), QString("Correct answers"));
        QCOMPARE(name(h.find("lblmissed")), QString("Missed answers"));
        QCOMPARE(name(h.find("lblpercent")), QString("Percent correct"));
        h.katakana(1)->setChecked(true);
        h.check("TestMode")->setChecked(true);
        h.button("Command1")->click();
        const QString kana = name(h.find("imgKana"));
        QVERIFY(!kana.isEmpty());
        QVERIFY(!kana.contains(QString::fromStdString(h.state().answer)));
        const QStringList focusable{"Command1", "cmdcheck", "Command4", "TestMode", "txtKananame", "Command5"};
        for (const QString& control : focusable)
            QVERIFY2(!name(h.find(control)).isEmpty(), qPrintable(control));
        // A right answer: every count is named with its new value.
        h.answerBox()->setText(QString::fromStdString(h.state().answer));
        h.button("cmdcheck")->click();
        QCOMPARE(QStringList({name(h.find("lblcorrect")), name(h.find("lblmissed")), name(h.find("lblpercent"))}),
                 QStringList({"Correct answers: 1", "Missed answers: 0", "Percent correct: 100.%"}));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
