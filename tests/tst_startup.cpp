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

    // "Exit", or the close box with no other window open, ends the program
    // at once, with nothing asked.
    void endsTheProgram_data()
    {
        QTest::addColumn<bool>("exitButton");
        QTest::newRow("exit") << true;
        QTest::newRow("close box") << false;
    }

    void endsTheProgram()
    {
        QFETCH(bool, exitButton);
        FormHarness h;
        h.showActive();
        h.katakana(0)->setChecked(true);
        h.button("Command1")->click();
        QCOMPARE(runUntilQuit([&] { exitButton ? h.button("Command5")->click() : (void)h.form().windowHandle()->close(); }), 0);
        QVERIFY(h.messages().texts.isEmpty());
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

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
