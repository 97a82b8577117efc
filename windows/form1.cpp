#include "windows/form1.h"

#include "accessibility/announcer.h"
#include "catalogue/loaders.h"
#include "quiz/presentation.h"
#include "quiz/score.h"
#include "widgets/picture_file.h"
#include "widgets/picture_label.h"
#include "windows/centre.h"
#include "windows/form1_layout.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/program_font.h"
#include "windows/twips.h"
#include "windows/version_info.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <utility>
#include <variant>

namespace windows {

Form1::Form1(quiz::RandomSource& random, MessageBox messageBox)
    : random_(random)
    , messageBox_(std::move(messageBox))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kProductName));
    // A fixed single border with a close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(ToPixels(kForm1Width), ToPixels(kForm1Height));
    setFont(ProgramFont());

    const auto controls = BuildControls(this, Form1Layout());
    Frame2 = FindControl<QGroupBox>(controls, "Frame2");
    imgKana = FindControl<widgets::PictureLabel>(controls, "imgKana");
    imgtsu = FindControl<widgets::PictureLabel>(controls, "imgtsu");
    txtKananame = FindControl<QLineEdit>(controls, "txtKananame");
    cmdcheck = FindControl<QPushButton>(controls, "cmdcheck");
    Command1 = FindControl<QPushButton>(controls, "Command1");
    Command2 = FindControl<QPushButton>(controls, "Command2");
    Command3 = FindControl<QPushButton>(controls, "Command3");
    Command4 = FindControl<QPushButton>(controls, "Command4");
    Command5 = FindControl<QPushButton>(controls, "Command5");
    Command6 = FindControl<QPushButton>(controls, "Command6");
    Command7 = FindControl<QPushButton>(controls, "Command7");
    Command8 = FindControl<QPushButton>(controls, "Command8");
    Command9 = FindControl<QPushButton>(controls, "Command9");
    Command10 = FindControl<QPushButton>(controls, "Command10");
    TestMode = FindControl<QCheckBox>(controls, "TestMode");
    chkDouble = FindControl<QCheckBox>(controls, "chkDouble");
    Check1 = FindControl<QCheckBox>(controls, "Check1");
    chkDupes = FindControl<QCheckBox>(controls, "chkDupes");
    chkLax = FindControl<QCheckBox>(controls, "chkLax");
    lblcorrect = FindControl<QLabel>(controls, "lblcorrect");
    lblmissed = FindControl<QLabel>(controls, "lblmissed");
    lblpercent = FindControl<QLabel>(controls, "lblpercent");
    for (int i = 0; i < static_cast<int>(catalogue::kSetCount); ++i) {
        const auto index = static_cast<std::size_t>(i);
        displaykatakana[index] = FindControl<QCheckBox>(controls, SetBoxName("displaykatakana", i));
        displayHira[index] = FindControl<QCheckBox>(controls, SetBoxName("displayHira", i));
    }

    cmdcheck->setEnabled(false);
    cmdcheck->setDefault(true);
    Check1->setEnabled(false); // offered, but not part of the quiz
    chkLax->setEnabled(false);
    txtKananame->setAccessibleName(QStringLiteral("Kana name"));
    imgKana->setAccessibleName(QStringLiteral("Kana to name"));
    imgtsu->setScaledContents(true);
    imgtsu->setAccessibleName(QStringLiteral("Small tsu: double the consonant"));
    // The counts stand right after their captions; a few pixels keep
    // "Percent:" and its value from running together.
    for (QLabel* count : {lblcorrect, lblmissed, lblpercent})
        count->setIndent(3);
    nameCounts();
    announcer_ = new accessibility::Announcer(this);

    connectHandlers();
}

Form1::~Form1() = default;

void Form1::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(cmdcheck, &QPushButton::clicked, this, &Form1::cmdcheck_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::close);
    connect(Command6, &QPushButton::clicked, this, &Form1::openAboutWindow);

    connect(Command2, &QPushButton::clicked, this, [this] { fillColumn(displaykatakana, true); });
    connect(Command3, &QPushButton::clicked, this, [this] { fillColumn(displaykatakana, false); });
    connect(Command7, &QPushButton::clicked, this, [this] { fillColumn(displayHira, true); });
    connect(Command8, &QPushButton::clicked, this, [this] { fillColumn(displayHira, false); });
    // Hiragana first, then katakana.
    connect(Command9, &QPushButton::clicked, this, [this] {
        fillColumn(displayHira, true);
        fillColumn(displaykatakana, true);
    });
    connect(Command10, &QPushButton::clicked, this, [this] {
        fillColumn(displayHira, false);
        fillColumn(displaykatakana, false);
    });
    for (std::size_t i = 0; i < catalogue::kSetCount; ++i) {
        connect(displaykatakana[i], &QCheckBox::toggled, this, &Form1::setBox_Click);
        connect(displayHira[i], &QCheckBox::toggled, this, &Form1::setBox_Click);
    }
}

void Form1::Form_Load(const std::filesystem::path& dataFolder)
{
    imgtsu->move(ToPixels(quiz::kSmallTsuHidden), imgtsu->y());
    CentreOnScreen(*this);
    catalogue_ = catalogue::LoadCatalogue(dataFolder);
    state_.correct = 0;
    state_.missed = 0;
    Command1->setFocus();
}

void Form1::Command1_Click()
{
    setCursor(Qt::WaitCursor);
    const auto choice = quiz::ChooseNextKana(state_, currentSelection(), catalogue_, random_);
    if (!choice) {
        tell(QStringLiteral("You Must Select at LEAST ONE symbol set!"));
        cmdcheck->setEnabled(false);
        unsetCursor();
        return;
    }
    showpic(choice->picture, choice->name, testModeChecked(), choice->doubleRequested);
}

void Form1::showpic(const std::string& filename, const std::string& kananame, bool test, bool hira)
{
    quiz::BeginPresentation(state_);
    cmdcheck->setEnabled(false);
    imgtsu->move(ToPixels(quiz::kSmallTsuHidden), imgtsu->y());

    auto picture = widgets::ReadPicture(filename);
    if (const QString* error = std::get_if<QString>(&picture)) {
        // Nothing the learner cannot see may be left to answer.
        imgKana->clearPicture();
        txtKananame->clear();
        quiz::AbandonPresentation(state_);
        tell(*error);
        unsetCursor();
        return;
    }
    imgKana->setPicture(std::get<QImage>(picture), [filename] {
        auto doubled = widgets::ReadPicture(widgets::DoubleResolutionName(filename));
        return std::holds_alternative<QImage>(doubled) ? std::get<QImage>(doubled) : QImage();
    });

    const QSize pictureSize = imgKana->pictureSize();
    const quiz::PictureSize size{ToTwips(pictureSize.width()), ToTwips(pictureSize.height())};
    const quiz::Presentation shown =
        quiz::PlanPresentation(kananame, size, test, hira, chkDouble->checkState() == Qt::Checked);
    imgKana->resize(pictureSize);
    imgKana->move(ToPixels(shown.kanaLeft), ToPixels(shown.kanaTop));
    // The small tsu is out of sight until the first doubled kana; its
    // picture is read then, not at start-up.
    if (shown.doubled && imgtsu->pictureSize().isEmpty())
        imgtsu->setResourcePicture(QStringLiteral(":/quelvane/small_tsu.gif"));
    imgtsu->move(ToPixels(shown.smallTsuLeft), imgtsu->y());
    txtKananame->setText(QString::fromStdString(shown.answerBoxText));
    cmdcheck->setEnabled(shown.checkEnabled);
    quiz::CompletePresentation(state_, shown);
    if (shown.testMode)
        txtKananame->setFocus();

    if (quiz::ShouldRedrawDuplicate(state_, chkDupes->checkState() == Qt::Checked))
        Command1_Click();
    else
        announcer_->announce(shown.doubled ? QStringLiteral("New kana to name, with a small tsu before it")
                                           : QStringLiteral("New kana to name"));
    unsetCursor();
}

void Form1::cmdcheck_Click()
{
    switch (quiz::CheckAnswer(state_, txtKananame->text().toLower().toStdString())) {
    case quiz::Verdict::NothingToCheck:
        return;
    case quiz::Verdict::Right:
        announcer_->announce(QStringLiteral("Right answer"));
        tell(QStringLiteral("Correct! Lets try another one!"));
        Command1_Click();
        quiz::CountCorrect(state_);
        break;
    case quiz::Verdict::Wrong:
        announcer_->announce(QStringLiteral("Wrong answer"));
        openWrongAnswerWindow();
        quiz::CountMissed(state_);
        break;
    }
    showScore(quiz::ScoreDisplay(state_));
}

void Form1::Command4_Click()
{
    txtKananame->setText(QString::fromStdString(quiz::Reveal(state_, TestMode->checkState() == Qt::Checked)));
    // The learner's keyboard is on the button, not on the box written to.
    if (!txtKananame->text().isEmpty())
        announcer_->announce(txtKananame->accessibleName() + QStringLiteral(": ") + txtKananame->text());
    showScore(quiz::ScoreDisplay(state_));
}

void Form1::showScore(const quiz::ScoreText& score)
{
    lblmissed->setText(QString::fromStdString(score.missed));
    lblmissed->adjustSize();
    lblcorrect->setText(QString::fromStdString(score.correct));
    lblcorrect->adjustSize();
    if (score.percent) {
        lblpercent->setText(QString::fromStdString(*score.percent));
        lblpercent->adjustSize();
    }
    // The counts take no focus; what changed is said for them.
    if (const QStringList changed = nameCounts(); !changed.isEmpty())
        announcer_->announce(changed.join(QStringLiteral(", ")));
}

QStringList Form1::nameCounts()
{
    // A screen reader hears what a count means with its value.
    QStringList changed;
    const auto name = [&changed](QLabel* count, const QString& meaning) {
        const QString spoken = count->text().isEmpty() ? meaning : meaning + QStringLiteral(": ") + count->text();
        if (spoken != count->accessibleName()) {
            count->setAccessibleName(spoken);
            changed.append(spoken);
        }
    };
    name(lblcorrect, QStringLiteral("Correct answers"));
    name(lblmissed, QStringLiteral("Missed answers"));
    name(lblpercent, QStringLiteral("Percent correct"));
    return changed;
}

void Form1::tell(const QString& text)
{
    messageBox_(this, text);
    // Once a modal box has closed the toolkit may leave no window active, and
    // access keys would then go nowhere.
    activateWindow();
}

void Form1::fillColumn(const std::array<QCheckBox*, catalogue::kSetCount>& column, bool checked)
{
    for (state_.setIndex = 0; state_.setIndex < catalogue::kSetCount; ++state_.setIndex)
        column[state_.setIndex]->setChecked(checked);
}

void Form1::setBox_Click()
{
    if (TestMode->checkState() == Qt::Checked)
        cmdcheck->setEnabled(true);
}

quiz::SetSelection Form1::currentSelection() const
{
    quiz::SetSelection selection;
    for (std::size_t i = 0; i < catalogue::kSetCount; ++i) {
        selection.katakana[i] = displaykatakana[i]->checkState() == Qt::Checked;
        selection.hiragana[i] = displayHira[i]->checkState() == Qt::Checked;
    }
    return selection;
}

bool Form1::testModeChecked() const
{
    return TestMode->checkState() != Qt::Unchecked;
}

void Form1::openWrongAnswerWindow()
{
    form2_ = PictureWindow::openOver<Form2>(*this, [this] { cmdcheck->setEnabled(true); });
}

void Form1::openAboutWindow()
{
    form3_ = PictureWindow::openOver<Form3>(*this, [] {});
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    // Enter that no other control took presses the default button, but
    // only while it is enabled.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (cmdcheck->isEnabled())
            cmdcheck->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // Before the window is first shown its frame is unknown and it was
    // centred by its client area alone; once the window manager has framed
    // it, the window as a whole is centred, once.
    if (!centredWithFrame_ && isVisible() && !windowHandle()->frameMargins().isNull()) {
        centredWithFrame_ = true;
        CentreOnScreen(*this);
    }
}

void Form1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A click on the disabled window gives it the keyboard on some desktops
    // (GNOME's among them), where no key could reach anything; the keyboard
    // goes back to the open window at once.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, [this] { PictureWindow::bringForwardOver(*this); });
}

void Form1::closeEvent(QCloseEvent* event)
{
    // However the close is asked for (title bar, Alt+F4, task bar), the
    // learner answers the open window first, with its button or Enter.
    if (PictureWindow::shownOver(*this)) {
        event->ignore();
        PictureWindow::bringForwardOver(*this);
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

} // namespace windows
