#include "windows/form1.h"

#include "catalogue/loaders.h"
#include "quiz/presentation.h"
#include "quiz/score.h"
#include "windows/centre.h"
#include "windows/form1_layout.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/kana_picture.h"
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

    const auto controls = BuildControls(this, Form1Layout());
    Frame2 = control<QGroupBox>(controls, "Frame2");
    imgKana = control<QLabel>(controls, "imgKana");
    imgtsu = control<QLabel>(controls, "imgtsu");
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
    imgtsu->setPixmap(QPixmap(QStringLiteral(":/quelvane/small_tsu.gif")));
    imgtsu->setScaledContents(true);
    imgtsu->setAccessibleName(QStringLiteral("Small tsu: double the consonant"));
    // The counts stand right after their captions; a few pixels keep
    // "Percent:" and its value from running together.
    for (QLabel* count : {lblcorrect, lblmissed, lblpercent})
        count->setIndent(3);
    lblcorrect->setAccessibleName(QStringLiteral("Correct answers"));
    lblmissed->setAccessibleName(QStringLiteral("Missed answers"));
    lblpercent->setAccessibleName(QStringLiteral("Percent correct"));

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
    showpic(QString::fromStdString(choice->picture), choice->name, testModeChecked(), choice->doubleRequested);
}

void Form1::showpic(const QString& filename, const std::string& kananame, bool test, bool hira)
{
    quiz::BeginPresentation(state_);
    cmdcheck->setEnabled(false);
    imgtsu->move(toPixels(quiz::kSmallTsuHidden), imgtsu->y());

    auto picture = LoadKanaPicture(filename);
    if (const QString* error = std::get_if<QString>(&picture)) {
        // Nothing the learner cannot see may be left to answer.
        imgKana->clear();
        txtKananame->clear();
        quiz::AbandonPresentation(state_);
        tell(*error);
        unsetCursor();
        return;
    }
    const QPixmap& pixmap = std::get<QPixmap>(picture);

    const quiz::PictureSize size{toTwips(pixmap.width()), toTwips(pixmap.height())};
    const quiz::Presentation shown =
        quiz::PlanPresentation(kananame, size, test, hira, chkDouble->checkState() == Qt::Checked);
    imgKana->setPixmap(pixmap);
    imgKana->resize(pixmap.size());
    imgKana->move(toPixels(shown.kanaLeft), toPixels(shown.kanaTop));
    imgtsu->move(toPixels(shown.smallTsuLeft), imgtsu->y());
    txtKananame->setText(QString::fromStdString(shown.answerBoxText));
    cmdcheck->setEnabled(shown.checkEnabled);
    quiz::CompletePresentation(state_, shown);
    if (shown.testMode)
        txtKananame->setFocus();

    if (quiz::ShouldRedrawDuplicate(state_, chkDupes->checkState() == Qt::Checked))
        Command1_Click();
    unsetCursor();
}

void Form1::cmdcheck_Click()
{
    switch (quiz::CheckAnswer(state_, txtKananame->text().toStdString())) {
    case quiz::Verdict::NothingToCheck:
        return;
    case quiz::Verdict::Right:
        tell(QStringLiteral("Correct! Lets try another one!"));
        Command1_Click();
        quiz::CountCorrect(state_);
        break;
    case quiz::Verdict::Wrong:
        openWrongAnswerWindow();
        quiz::CountMissed(state_);
        break;
    }
    showScore(quiz::ScoreDisplay(state_));
}

void Form1::Command4_Click()
{
    txtKananame->setText(QString::fromStdString(quiz::Reveal(state_, TestMode->checkState() == Qt::Checked)));
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
    setEnabled(false);
    form2_ = new Form2(this);
    connect(form2_, &Form2::dismissed, this, [this] {
        setEnabled(true);
        cmdcheck->setEnabled(true);
        activateWindow();
    });
    form2_->show();
}

void Form1::openAboutWindow()
{
    setEnabled(false);
    form3_ = new Form3(this);
    connect(form3_, &Form3::dismissed, this, [this] {
        setEnabled(true);
        activateWindow();
    });
    form3_->show();
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

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::quit();
}

} // namespace windows
