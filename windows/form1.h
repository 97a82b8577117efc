#pragma once

#include "catalogue/kana_catalogue.h"
#include "quiz/quiz_state.h"
#include "quiz/random_int.h"
#include "quiz/selection.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/message_box.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quiz {
struct ScoreText;
}

namespace windows {

class Announcer;
class PictureLabel;

// The quiz window: the symbol-set boxes, the kana on display, the answer box
// and the score. Every decision is the quiz core's; this window reads the
// controls, asks the core, and applies the answer to the controls.
class Form1 : public QWidget {
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

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void connectHandlers();
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
    template <typename Window>
    Window* showOver(const std::function<void()>& onDismissed);
    // The wrong-answer or About window while it is on screen.
    PictureWindow* openWindow() const;
    void bringOpenWindowForward();
    bool destroyedFromOutside() const;

    quiz::RandomSource& random_;
    MessageBox messageBox_;
    catalogue::KanaCatalogue catalogue_;
    quiz::QuizState state_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    bool centredWithFrame_ = false;
    bool shown_ = false;
    Announcer* announcer_ = nullptr;

    QGroupBox* Frame2 = nullptr;
    PictureLabel* imgKana = nullptr;
    PictureLabel* imgtsu = nullptr;
    QLineEdit* txtKananame = nullptr;
    QPushButton* cmdcheck = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command10 = nullptr;
    QCheckBox* TestMode = nullptr;
    QCheckBox* chkDouble = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* chkDupes = nullptr;
    QCheckBox* chkLax = nullptr;
    QLabel* lblcorrect = nullptr;
    QLabel* lblmissed = nullptr;
    QLabel* lblpercent = nullptr;
    std::array<QCheckBox*, catalogue::kSetCount> displaykatakana{};
    std::array<QCheckBox*, catalogue::kSetCount> displayHira{};
};

} // namespace windows
