#pragma once

#include "accessibility/window_role.h"
#include "catalogue/kana_catalogue.h"
#include "quiz/quiz_state.h"
#include "quiz/random_source.h"
#include "quiz/selection.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/message_box.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <filesystem>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quiz {
struct ScoreText;
}

namespace accessibility {
class Announcer;
}

namespace widgets {
class PictureLabel;
}

namespace windows {

// The quiz window: the symbol-set boxes, the kana on display, the answer box
// and the score. Every decision is the quiz core's; this window reads the
// controls, asks the core, and applies the answer to the controls.
class Form1 : public QWidget, public accessibility::WindowRole {
    Q_OBJECT
public:
    Form1(quiz::RandomSource& random, MessageBox messageBox);
    ~Form1() override;

    // Start-up: hides the small tsu, centres the window, loads the catalogue
    // and zeroes the score. Throws catalogue::LoadError naming the file.
    void Form_Load(const std::filesystem::path& dataFolder);

    const quiz::QuizState& state() const { return state_; }
    Form2* wrongAnswerWindow() const { return form2_; }
    Form3* aboutWindow() const { return form3_; }

    // The road of one question: choose a kana, present it, check the answer.
    void Command1_Click();
    void cmdcheck_Click();
    void Command4_Click();

    QAccessible::Role accessibleRole() const override { return QAccessible::Window; }

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectHandlers();
    // Shows the kana in `filename`. The last parameter keeps the name the
    // form's procedure has always had, though it carries whether a doubled
    // consonant was drawn for this kana, for hiragana and katakana alike.
    void showpic(const std::string& filename, const std::string& kananame, bool test, bool hira);
    void showScore(const quiz::ScoreText& score);
    // Names each count with its value; returns the names that changed.
    QStringList nameCounts();
    void tell(const QString& text);
    void fillColumn(const std::array<QCheckBox*, catalogue::kSetCount>& column, bool checked);
    void setBox_Click();
    quiz::SetSelection currentSelection() const;
    bool testModeChecked() const;
    void openWrongAnswerWindow();
    void openAboutWindow();

    quiz::RandomSource& random_;
    MessageBox messageBox_;
    catalogue::KanaCatalogue catalogue_;
    quiz::QuizState state_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    bool centredWithFrame_ = false;
    accessibility::Announcer* announcer_ = nullptr;

    // The controls keep the names the form has always given them, numbered
    // ones included: they are the objectNames in the window, by which tests
    // and the accessible tree find them. Their places and captions are in
    // form1_layout.cpp.
    QGroupBox* Frame2 = nullptr;                // "Kana Window", around the kana
    widgets::PictureLabel* imgKana = nullptr;   // the kana to name
    widgets::PictureLabel* imgtsu = nullptr;    // the small tsu before a doubled kana
    QLineEdit* txtKananame = nullptr;           // the learner's answer
    QPushButton* cmdcheck = nullptr;            // "&Check Answer"
    QPushButton* Command1 = nullptr;            // "&Display another Kana / SKIP"
    QPushButton* Command2 = nullptr;            // "+": every katakana row
    QPushButton* Command3 = nullptr;            // "-": no katakana row
    QPushButton* Command4 = nullptr;            // "&Reveal Kana"
    QPushButton* Command5 = nullptr;            // "E&xit"
    QPushButton* Command6 = nullptr;            // "&About"
    QPushButton* Command7 = nullptr;            // "+": every hiragana row
    QPushButton* Command8 = nullptr;            // "-": no hiragana row
    QPushButton* Command9 = nullptr;            // "&All" rows of both scripts
    QPushButton* Command10 = nullptr;           // "&None"
    QCheckBox* TestMode = nullptr;              // "&Test Mode"
    QCheckBox* chkDouble = nullptr;             // "&Show Double Consonats"
    QCheckBox* Check1 = nullptr;                // "Show Double &Vowels", offered but disabled
    QCheckBox* chkDupes = nullptr;              // "&Less Duplicates"
    QCheckBox* chkLax = nullptr;                // "La&x Definitions", offered but disabled
    QLabel* lblcorrect = nullptr;               // the three counts
    QLabel* lblmissed = nullptr;
    QLabel* lblpercent = nullptr;
    // One box per row of the kana table, in each script's column.
    std::array<QCheckBox*, catalogue::kSetCount> displaykatakana{};
    std::array<QCheckBox*, catalogue::kSetCount> displayHira{};
};

} // namespace windows
