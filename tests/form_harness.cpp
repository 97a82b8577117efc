#include "form_harness.h"

#include "windows/form1_layout.h"
#include "windows/startup.h"

#include <QApplication>
#include <QTest>

FormHarness::FormHarness(const std::filesystem::path& dataFolder, std::uint64_t seed)
    : random_(seed)
{
    // The windows are laid out for the program's own style and font.
    windows::ConfigureApplication(*qApp);
    form_ = std::make_unique<windows::Form1>(random_, messages_.box());
    form_->Form_Load(dataFolder);
}

QCheckBox* FormHarness::katakana(int set) const
{
    return check(windows::SetBoxName("displaykatakana", set));
}

QCheckBox* FormHarness::hiragana(int set) const
{
    return check(windows::SetBoxName("displayHira", set));
}

void FormHarness::startTestRound(int set)
{
    katakana(set)->setChecked(true);
    check("TestMode")->setChecked(true);
    button("Command1")->click();
}

void FormHarness::answer(const QString& text)
{
    answerBox()->setText(text);
    button("cmdcheck")->click();
}

void FormHarness::showActive()
{
    form_->show();
    form_->activateWindow();
    if (!QTest::qWaitForWindowActive(form_.get()))
        qWarning("the main window did not become active");
}
