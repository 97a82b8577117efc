#pragma once

#include "quiz/random_source.h"
#include "windows/form1.h"
#include "windows/form1_layout.h"
#include "windows/message_box.h"
#include "windows/startup.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>

// A test's application opened as the program opens its own.
#define QUELVANE_TEST_MAIN(TestObject)                                                                                 \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        const auto app = windows::OpenApplication(argc, argv);                                                         \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }

// Stands in for the program's message boxes: records the text and returns
// at once, as if the learner had pressed OK. With `onScreen` the program's
// own box is shown and answered once it is up, by Enter or a click on OK;
// it is recorded as "title: text" only when modal, with one OK, no icon.
struct MessageLog {
    QStringList texts;
    bool onScreen = false;
    bool clickOk = false;
    windows::MessageBox box() { return [this](QWidget* parent, const QString& text) { show(parent, text); }; }
    void show(QWidget* parent, const QString& text);
};

// Stands in for a screen reader: accessibility is on while it lives, and it
// keeps what the program announced, in order.
struct ScreenReader {
    ScreenReader();
    ~ScreenReader();
    // Lets the last action's announcement be made, and returns all so far.
    const QStringList& heard() { return QCoreApplication::processEvents(), heard_; }
    QStringList heard_;
    QAccessible::UpdateHandler previous_;
};

// A platform theme's font and colours, given to the application once the
// program is up, as qt6ct does; the program's own are back when it goes.
struct ThemeFontAndColours {
    const QFont font = QApplication::font();
    const QPalette palette = QApplication::palette();
    static QPalette dark() { return QPalette(QColor(0x20, 0x20, 0x30)); }
    ThemeFontAndColours() { QApplication::setFont(QFont("DejaVu Serif", 14, QFont::Bold)), QApplication::setPalette(dark()), QCoreApplication::processEvents(); }
    ~ThemeFontAndColours() { QApplication::setFont(font), QApplication::setPalette(palette), QCoreApplication::processEvents(); }
};

// True when the outer frame of a window is centred on its screen.
bool Centred(const QWidget& window);

// A main window started on the shipped data (or the given data folder) with
// a seeded generator, its message boxes recorded.
class FormHarness {
public:
    explicit FormHarness(const std::filesystem::path& dataFolder = QUELVANE_SHIPPED_DATA, std::uint64_t seed = 7);

    windows::Form1& form() { return *form_; }
    const quiz::QuizState& state() const { return form_->state(); }
    MessageLog& messages() { return messages_; }

    template <typename T = QWidget>
    T* find(const QString& name) const
    {
        return form_->findChild<T*>(name);
    }
    QPushButton* button(const QString& name) const { return find<QPushButton>(name); }
    QCheckBox* check(const QString& name) const { return find<QCheckBox>(name); }
    QCheckBox* katakana(int set) const { return check(windows::SetBoxName("displaykatakana", set)); }
    QCheckBox* hiragana(int set) const { return check(windows::SetBoxName("displayHira", set)); }
    // What a screen reader says the control is.
    QString spokenName(const QString& name) const { return QAccessible::queryAccessibleInterface(find(name))->text(QAccessible::Name); }
    QLineEdit* answerBox() const { return find<QLineEdit>("txtKananame"); }
    QString label(const QString& name) const { return find<QLabel>(name)->text(); }
    // The correct and missed counts and the percent, as shown.
    QStringList score() const { return {label("lblcorrect"), label("lblmissed"), label("lblpercent")}; }

    // Test mode with one katakana row ticked and a kana of it on display.
    void startTestRound(int set);
    QString expected() const { return QString::fromStdString(state().answer); }
    // Types the text into the answer box and checks it.
    void answer(const QString& text);

    // Shows the window and waits until it is active, so keys reach it.
    void showActive();

private:
    quiz::RandomSource random_;
    MessageLog messages_;
    std::unique_ptr<windows::Form1> form_;
};
