#include "quiz_window.h"

#include "windows/startup.h"

#include <QApplication>
#include <QTest>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace bench {

void Fail(const QString& why)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, qPrintable(why));
    std::exit(1);
}

QuizWindow::QuizWindow(std::uint64_t seed)
    : random_(seed)
{
    // The windows are laid out for the program's own style and font.
    windows::ConfigureApplication(*qApp);
    form_ = std::make_unique<windows::Form1>(random_, [this](QWidget*, const QString& text) {
        ++messageCount_;
        lastMessage_ = text;
    });
    form_->Form_Load(QUELVANE_SHIPPED_DATA);
    form_->show();
    form_->activateWindow();
    if (!QTest::qWaitForWindowActive(form_.get()))
        Fail(QStringLiteral("the main window never became active"));
}

} // namespace bench
