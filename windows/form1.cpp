#include "windows/form1.h"

#include "catalogue/loaders.h"
#include "quiz/presentation.h"
#include "quiz/score.h"
#include "windows/announcer.h"
#include "windows/centre.h"
#include "windows/form1_layout.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/picture_file.h"
#include "windows/picture_label.h"
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

#include <iostream>
#include <utility>
#include <variant>

namespace windows {

namespace {

template <typename T>
T* control(const QHash<QString, QWidget*>& controls, const QString& name)
{
    auto* widget = qobject_cast<T*>(controls.value(name));
    Q_ASSERT_X(widget, "Form1", qPrintable(name));
    return widget;
}

} // namespace

Form1::Form1(quiz::RandomSource& random, MessageBox messageBox)
    : random_(random)
    , messageBox_(std::move(messageBox))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kProductName));
    // A fixed single border with a close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(toPixels(kForm1Width), toPixels(kForm1Height));
    setFont(ProgramFont());

    const auto controls = BuildControls(this, Form1Layout());
    Frame2 = control<QGroupBox>(controls, "Frame2");
    imgKana = control<PictureLabel>(controls, "imgKana");
    imgtsu = control<PictureLabel>(controls, "imgtsu");
    txtKananame = control<QLineEdit>(controls, "txtKananame");
    cmdcheck = control<QPushButton>(controls, "cmdcheck");
    Command1 = control<QPushButton>(controls, "Command1");
    Command2 = control<QPushButton>(controls, "Command2");
    Command3 = control<QPushButton>(controls, "Command3");
    Command4 = control<QPushButton>(controls, "Command4");
    Command5 = control<QPushButton>(controls, "Command5");
    Command6 = control<QPushButton>(controls, "Command6");
    Command7 = control<QPushButton>(controls, "Command7");
    Command8 = control<QPushButton>(controls, "Command8");
    Command9 = control<QPushButton>(controls, "Command9");
    Command10 = control<QPushButton>(controls, "Command10");
    TestMode = control<QCheckBox>(controls, "TestMode");
    chkDouble = control<QCheckBox>(controls, "chkDouble");
    Check1 = control<QCheckBox>(controls, "Check1");
    chkDupes = control<QCheckBox>(controls, "chkDupes");
    chkLax = control<QCheckBox>(controls, "chkLax");
    lblcorrect = control<QLabel>(controls, "lblcorrect");
    lblmissed = control<QLabel>(controls, "lblmissed");
    lblpercent = control<QLabel>(controls, "lblpercent");
    for (int i = 0; i < static_cast<int>(catalogue::kSetCount); ++i) {
        const auto index = static_cast<std::size_t>(i);
        displaykatakana[index] = control<QCheckBox>(controls, SetBoxName("displaykatakana", i));
        displayHira[index] = control<QCheckBox>(controls, SetBoxName("displayHira", i));
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
    announcer_ = new Announcer(this);

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
    imgtsu->move(toPixels(quiz::kSmallTsuHidden), imgtsu->y());
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
    imgtsu->move(toPixels(quiz::kSmallTsuHidden), imgtsu->y());

    auto picture = ReadPicture(filename);
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
        auto doubled = ReadPicture(DoubleResolutionName(filename));
        return std::holds_alternative<QImage>(doubled) ? std::get<QImage>(doubled) : QImage();
    });

    const QSize pictureSize = imgKana->pictureSize();
    const quiz::PictureSize size{toTwips(pictureSize.width()), toTwips(pictureSize.height())};
    const quiz::Presentation shown =
        quiz::PlanPresentation(kananame, size, test, hira, chkDouble->checkState() == Qt::Checked);
    imgKana->resize(pictureSize);
    imgKana->move(toPixels(shown.kanaLeft), toPixels(shown.kanaTop));
    // The small tsu is out of sight until the first doubled kana; its
    // picture is read then, not at start-up.
    if (shown.doubled && imgtsu->pictureSize().isEmpty())
        imgtsu->setResourcePicture(QStringLiteral(":/quelvane/small_tsu.gif"));
    imgtsu->move(toPixels(shown.smallTsuLeft), imgtsu->y());
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
    form2_ = showOver<Form2>([this] { cmdcheck->setEnabled(true); });
}

void Form1::openAboutWindow()
{
    form3_ = showOver<Form3>([] {});
}

template <typename Window>
Window* Form1::showOver(const std::function<void()>& onDismissed)
{
    // The keyboard comes back to the control the learner left: after a wrong
    // answer, the answer box, to correct the text and press Enter again.
    const QPointer<QWidget> focus = focusWidget();
    // Disabled first: the window is enabled on its own once it exists.
    setEnabled(false);
    auto* window = new Window(this);
    connect(window, &PictureWindow::dismissed, this, [this, focus, onDismissed] {
        // Nothing of the program would be left on screen to close it.
        if (destroyedFromOutside()) {
            std::cerr << "quelvane: the main window was destroyed by another program; ending\n";
            QCoreApplication::exit(1);
            return;
        }
        setEnabled(true);
        onDismissed();
        activateWindow();
        if (focus)
            focus->setFocus();
    });
    window->show();
    return window;
}

PictureWindow* Form1::openWindow() const
{
    for (PictureWindow* window : {static_cast<PictureWindow*>(form2_), static_cast<PictureWindow*>(form3_)}) {
        if (window && window->isVisible())
            return window;
    }
    return nullptr;
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

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    shown_ = true;
}

// Any client of an X display may destroy any window. The toolkit then keeps
// the main window as if it were still on screen, only never exposed again
// (or, where its native window is released, hidden), and the program would
// live on with no window once the one over it closes. A minimised window is
// unexposed too, but says so in its state.
bool Form1::destroyedFromOutside() const
{
    const QWindow* window = windowHandle();
    if (!shown_ || !window)
        return false;
    return !isVisible() || !window->handle() || (!window->isExposed() && !(window->windowStates() & Qt::WindowMinimized));
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
        QTimer::singleShot(0, this, &Form1::bringOpenWindowForward);
}

void Form1::bringOpenWindowForward()
{
    if (PictureWindow* open = openWindow()) {
        open->raise();
        open->activateWindow();
    }
}

void Form1::closeEvent(QCloseEvent* event)
{
    // However the close is asked for (title bar, Alt+F4, task bar), the
    // learner answers the open window first, with its button or Enter.
    if (openWindow()) {
        event->ignore();
        bringOpenWindowForward();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

} // namespace windows
