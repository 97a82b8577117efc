#include "data_folder.h"
#include "form_harness.h"
#include "windows/form1_layout.h"
#include "windows/twips.h"
#include "windows/wrapping_button.h"
#include "windows/wrapping_check_box.h"

#include <QGroupBox>
#include <QSet>
#include <QTest>

using windows::ControlKind;

namespace {

const QString kFixtures = QStringLiteral(QUELVANE_FIXTURES);

// Every picture of a hiragana row replaced by one test picture.
void replaceRowPictures(const DataFolderCopy& data, const QString& row, const QString& fixture)
{
    for (const char* vowel : {"a", "i", "u", "e", "o"}) {
        const QString target = data.file(QStringLiteral("hir/%1/%2.gif").arg(row, vowel));
        QFile::remove(target);
        QVERIFY(QFile::copy(kFixtures + "/" + fixture, target));
    }
}

// Presses the kana button until a doubled kana is on display.
void pressUntilDoubled(FormHarness& h)
{
    for (int i = 0; i < 200; ++i) {
        h.button("Command1")->click();
        const std::string& answer = h.state().answer;
        if (answer.size() == 3 && answer[0] == answer[1])
            return;
    }
    QFAIL("no doubled kana in 200 presses");
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT
private slots:
    void controlsFollowTheLayout()
    {
        FormHarness h;
        const windows::FormLayout layout = windows::Form1Layout();
        QCOMPARE(layout.size(), std::size_t{83});
        QSet<QString> names;
        for (const windows::ControlRow& row : layout) {
            QVERIFY2(!names.contains(row.name), qPrintable(row.name));
            names.insert(row.name);
            QWidget* control = h.find(row.name);
            QVERIFY2(control, qPrintable(row.name));
            const QString container = row.container.isEmpty() ? QString("Form1") : row.container;
            QCOMPARE(control->parentWidget()->objectName(), container);
            const QRect expected = windows::toPixelRect(row.left, row.top, row.width, row.height);
            if (row.kind != ControlKind::Label)
                QCOMPARE(control->size(), expected.size());
            if (auto* button = qobject_cast<QAbstractButton*>(control))
                QCOMPARE(button->text(), row.caption);
            if (auto* frame = qobject_cast<QGroupBox*>(control))
                QCOMPARE(frame->title(), row.caption);
            // The small tsu starts out of sight; all else stands where the
            // table puts it, inside its container.
            if (row.name == "imgtsu")
                continue;
            QCOMPARE(control->pos(), expected.topLeft());
            QVERIFY2(control->parentWidget()->rect().contains(control->geometry()), qPrintable(row.name));
        }
    }

    void geometryInPixels()
    {
        FormHarness h;
        QCOMPARE(h.form().size(), QSize(269, 443)); // 4035 x 6645 twips
        QCOMPARE(h.find("cmdcheck")->geometry(), QRect(160, 136, 105, 17));
        QCOMPARE(h.find("Command1")->geometry(), QRect(160, 259, 105, 30));
        QCOMPARE(h.find("Frame2")->geometry(), QRect(160, 0, 105, 89));
        QCOMPARE(h.katakana(0)->geometry(), QRect(8, 16, 49, 17));
        QCOMPARE(h.hiragana(25)->geometry(), QRect(8, 416, 41, 17));
        QCOMPARE(h.find("Frame3")->geometry(), QRect(80, 0, 73, 441));
        QCOMPARE(h.find("imgtsu")->geometry(), QRect(-20, 48, 18, 12));
    }

    // The captions as the learner reads them, whatever the table says.
    void captions()
    {
        FormHarness h;
        QCOMPARE(h.form().windowTitle(), QString("Quelvane"));
        QCOMPARE(h.button("Command1")->text(), QString("&Display another Kana / SKIP"));
        QCOMPARE(h.check("chkDouble")->text(), QString("&Show Double Consonats"));
        const QStringList sets{"Basic", "K", "S", "T", "N", "H", "M", "Y", "R", "W", "N-", "G", "Z",
                               "D", "B", "P", "KY", "SH", "CH", "NY", "MY", "RY", "GY", "J", "BY", "PY"};
        for (int i = 0; i < 26; ++i)
            QCOMPARE(h.hiragana(i)->text(), sets[i]);
    }

    void everyCaptionFits()
    {
        FormHarness h;
        h.showActive();
        int checked = 0;
        for (auto* button : h.form().findChildren<windows::WrappingButton*>()) {
            QVERIFY2(button->captionFits(), qPrintable(button->objectName()));
            ++checked;
        }
        for (auto* box : h.form().findChildren<windows::WrappingCheckBox*>()) {
            QVERIFY2(box->captionFits(), qPrintable(box->objectName()));
            ++checked;
        }
        QCOMPARE(checked, 11 + 5 + 52);
        for (auto* frame : h.form().findChildren<QGroupBox*>())
            QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width() - 8, qPrintable(frame->objectName()));
        for (auto* label : h.form().findChildren<QLabel*>()) {
            if (!label->text().isEmpty())
                QVERIFY2(label->parentWidget()->rect().contains(label->geometry()), qPrintable(label->objectName()));
        }
        // The long captions really need more than one line.
        auto* display = h.button("Command1");
        QVERIFY(display->fontMetrics().horizontalAdvance("Display another Kana / SKIP") > display->width());
    }

    void initialState()
    {
        FormHarness h;
        h.showActive();
        QVERIFY(!h.button("cmdcheck")->isEnabled());
        QVERIFY(!h.check("Check1")->isEnabled());
        QVERIFY(!h.check("chkLax")->isEnabled());
        for (auto* box : h.form().findChildren<QCheckBox*>())
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
        QVERIFY(h.answerBox()->text().isEmpty());
        QVERIFY(h.label("lblcorrect").isEmpty() && h.label("lblmissed").isEmpty() && h.label("lblpercent").isEmpty());
        QCOMPARE(QApplication::focusWidget(), h.button("Command1"));
        QCOMPARE(h.state().correct, 0);
        QCOMPARE(h.state().missed, 0);
        QVERIFY(h.state().answer.empty() && h.state().lastAnswer.empty());
        const Qt::WindowFlags flags = h.form().windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint) && !(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(h.form().minimumSize(), h.form().maximumSize());
        QVERIFY(!h.form().windowIcon().isNull());
    }

    void centredOnTheScreen()
    {
        FormHarness h;
        const QRect screen = h.form().screen()->geometry();
        const QRect frame = h.form().frameGeometry();
        QVERIFY(std::abs(frame.center().x() - screen.center().x()) <= 1);
        QVERIFY(std::abs(frame.center().y() - screen.center().y()) <= 1);
    }

    void tabOrder()
    {
        FormHarness h;
        h.showActive();
        QStringList expected{"Command1", "TestMode", "Command5"};
        for (int i = 0; i <= 25; ++i)
            expected << windows::SetBoxName("displaykatakana", i);
        expected << "txtKananame";
        for (int i = 25; i >= 0; --i)
            expected << windows::SetBoxName("displayHira", i);
        expected << "Command4" << "Command6" << "Command2" << "Command3" << "Command7" << "Command8" << "chkDouble"
                 << "chkDupes" << "Command9" << "Command10" << "Command1";
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void accessKeys()
    {
        FormHarness h;
        h.showActive();
        QTest::keyClick(&h.form(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(h.check("TestMode")->isChecked());
        QTest::keyClick(&h.form(), Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(h.check("chkDouble")->isChecked());
        QTest::keyClick(&h.form(), Qt::Key_L, Qt::AltModifier);
        QTRY_VERIFY(h.check("chkDupes")->isChecked());
        QTest::keyClick(&h.form(), Qt::Key_N, Qt::AltModifier);
        h.button("Command9")->click();
        QTest::keyClick(&h.form(), Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(!h.katakana(25)->isChecked() && !h.hiragana(0)->isChecked());
        // "&All" and "&About" share A: the key takes the focus from one to
        // the other and presses neither.
        QTest::keyClick(&h.form(), Qt::Key_A, Qt::AltModifier);
        QWidget* first = QApplication::focusWidget();
        QVERIFY(first == h.button("Command9") || first == h.button("Command6"));
        QTest::keyClick(&h.form(), Qt::Key_A, Qt::AltModifier);
        QWidget* second = QApplication::focusWidget();
        QVERIFY(second != first && (second == h.button("Command9") || second == h.button("Command6")));
        QTest::qWait(200);
        QVERIFY(!h.katakana(0)->isChecked());
        QVERIFY(h.form().isEnabled());
        QTest::keyClick(&h.form(), Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(h.messages().texts, QStringList{"You Must Select at LEAST ONE symbol set!"});
        // The window is active again after the message, so keys keep working.
        QTRY_VERIFY(h.form().isActiveWindow());
        QTest::keyClick(&h.form(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(!h.check("TestMode")->isChecked());
    }

    void enterKey()
    {
        FormHarness h;
        h.showActive();
        h.katakana(0)->setChecked(true);
        // Enter on a focused button presses that button.
        QTest::keyClick(h.button("Command1"), Qt::Key_Return);
        QCOMPARE(h.answerBox()->text(), QString::fromStdString(h.state().answer));
        // Enter in the answer box does nothing while the check is disabled.
        h.answerBox()->setFocus();
        h.answerBox()->setText("zzz");
        QTest::keyClick(h.answerBox(), Qt::Key_Return);
        QVERIFY(h.label("lblmissed").isEmpty());
        QVERIFY(!h.form().wrongAnswerWindow());
        // In test mode Enter in the answer box presses the check button.
        h.check("TestMode")->setChecked(true);
        h.button("Command1")->click();
        QTest::keyClicks(h.answerBox(), QString::fromStdString(h.state().answer));
        QTest::keyClick(h.answerBox(), Qt::Key_Enter);
        QCOMPARE(h.label("lblcorrect"), QString("1"));
        // And from a focused check box as well.
        h.katakana(3)->setFocus();
        QTest::keyClick(h.katakana(3), Qt::Key_Return);
        QCOMPARE(h.label("lblmissed"), QString("1"));
    }

    void columnButtons()
    {
        FormHarness h;
        auto column = [&](bool katakana) {
            int ticked = 0;
            for (int i = 0; i < 26; ++i)
                ticked += (katakana ? h.katakana(i) : h.hiragana(i))->isChecked() ? 1 : 0;
            return ticked;
        };
        h.button("Command2")->click();
        QCOMPARE(column(true), 26);
        QCOMPARE(column(false), 0);
        h.button("Command7")->click();
        QCOMPARE(column(false), 26);
        h.button("Command3")->click();
        QCOMPARE(column(true), 0);
        h.button("Command8")->click();
        QCOMPARE(column(false), 0);
        h.button("Command9")->click();
        QCOMPARE(column(true) + column(false), 52);
        h.button("Command10")->click();
        QCOMPARE(column(true) + column(false), 0);
        // Only the boxes change.
        QVERIFY(!h.button("cmdcheck")->isEnabled());
        QVERIFY(!h.check("TestMode")->isChecked());
    }

    void boxesEnableTheCheckInTestModeOnly()
    {
        FormHarness h;
        h.button("Command9")->click();
        h.katakana(4)->click();
        QVERIFY(!h.button("cmdcheck")->isEnabled());
        h.check("TestMode")->setChecked(true);
        h.button("Command10")->click(); // enabled by the first box that changes
        QVERIFY(h.button("cmdcheck")->isEnabled());
        h.button("Command1")->click();  // nothing ticked now
        QVERIFY(!h.button("cmdcheck")->isEnabled());
        h.hiragana(2)->click();
        QVERIFY(h.button("cmdcheck")->isEnabled());
        // A check with no kana ever shown counts nothing.
        h.button("cmdcheck")->click();
        QVERIFY(h.label("lblcorrect").isEmpty());
        QCOMPARE(h.messages().texts.size(), 1);
        QVERIFY(h.form().isEnabled());
    }

    void noSetTicked()
    {
        FormHarness h;
        h.katakana(0)->setChecked(true);
        h.check("TestMode")->setChecked(true);
        h.button("Command1")->click();
        const std::string shown = h.state().answer;
        const QPixmap picture = h.find<QLabel>("imgKana")->pixmap();
        QVERIFY(h.button("cmdcheck")->isEnabled());
        h.katakana(0)->setChecked(false);
        h.button("Command1")->click();
        QCOMPARE(h.messages().texts, QStringList{"You Must Select at LEAST ONE symbol set!"});
        QVERIFY(!h.button("cmdcheck")->isEnabled());
        QCOMPARE(h.state().answer, shown);
        QCOMPARE(h.find<QLabel>("imgKana")->pixmap().cacheKey(), picture.cacheKey());
        QCOMPARE(h.form().cursor().shape(), Qt::ArrowCursor);
    }

    void studyAndTestPresentation()
    {
        FormHarness h;
        h.showActive();
        h.katakana(1)->setChecked(true);
        h.button("Command1")->click();
        const QString study = h.answerBox()->text();
        QVERIFY(QStringList({"ka", "ki", "ku", "ke", "ko"}).contains(study));
        QCOMPARE(QString::fromStdString(h.state().answer), study);
        QVERIFY(!h.button("cmdcheck")->isEnabled());
        auto* kana = h.find<QLabel>("imgKana");
        QVERIFY(!kana->pixmap().isNull());
        QCOMPARE(kana->size(), kana->pixmap().size());
        // Centred in the kana window, to the rounding of half a pixel.
        auto* frame = h.find("Frame2");
        QVERIFY(std::abs(kana->geometry().center().x() - frame->width() / 2) <= 1);
        QVERIFY(std::abs(kana->geometry().center().y() - frame->height() / 2) <= 1);
        QCOMPARE(h.form().cursor().shape(), Qt::ArrowCursor);

        h.check("TestMode")->setChecked(true);
        h.answerBox()->setText("typed");
        h.button("Command1")->click();
        QVERIFY(h.answerBox()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), h.answerBox());
        QVERIFY(h.button("cmdcheck")->isEnabled());
        QCOMPARE(h.state().correct + h.state().missed, 0); // skipping costs nothing
    }

    void doubledPresentation_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("tsuTwips");
        QTest::addColumn<int>("kanaTwips");
        QTest::newRow("1035 twips wide") << "wide-69px.gif" << 0 << 270;
        QTest::newRow("375 twips wide") << "narrow-25px.gif" << 330 << 930;
    }

    void doubledPresentation()
    {
        QFETCH(QString, fixture);
        QFETCH(int, tsuTwips);
        QFETCH(int, kanaTwips);
        DataFolderCopy data;
        replaceRowPictures(data, "k-", fixture);
        FormHarness h(data.path());
        h.hiragana(1)->setChecked(true);
        h.check("chkDouble")->setChecked(true);
        h.check("TestMode")->setChecked(true);
        pressUntilDoubled(h);
        QCOMPARE(h.find("imgtsu")->x(), windows::toPixels(tsuTwips));
        QCOMPARE(h.find("imgKana")->x(), windows::toPixels(kanaTwips));
        QCOMPARE(h.find("imgtsu")->y(), 48);
        // A plain kana after a doubled one hides the small tsu again.
        h.check("chkDouble")->setChecked(false);
        h.button("Command1")->click();
        QCOMPARE(h.find("imgtsu")->x(), -20);
        QCOMPARE(h.state().answer.size(), std::size_t{2});
    }

    void lessDuplicatesEndsWithOnlyN()
    {
        FormHarness h;
        h.katakana(10)->setChecked(true);
        h.check("chkDupes")->setChecked(true);
        for (int i = 0; i < 5; ++i) {
            h.button("Command1")->click();
            QCOMPARE(h.state().answer, std::string("n"));
        }
        QCOMPARE(h.form().cursor().shape(), Qt::ArrowCursor);
    }

};

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
