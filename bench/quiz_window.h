#pragma once

#include "quiz/random_source.h"
#include "windows/form1.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace bench {

// Ends a benchmark whose run went wrong: a figure taken from a window that
// did not do what the benchmark asked of it would mislead.
[[noreturn]] void Fail(const QString& why);

// The main window as the in-process benchmarks drive it: the shipped data, a
// seeded generator, message boxes that return at once and are only counted,
// and the window shown and active, so that typed keys reach it.
class QuizWindow {
public:
    explicit QuizWindow(std::uint64_t seed = 7);

    windows::Form1& form() { return *form_; }
    int messageCount() const { return messageCount_; }
    const QString& lastMessage() const { return lastMessage_; }

    template <typename T>
    T& control(const QString& name) const
    {
        auto* widget = form_->findChild<T*>(name);
        if (!widget)
            Fail(QStringLiteral("the main window has no control %1").arg(name));
        return *widget;
    }

private:
    quiz::RandomSource random_;
    int messageCount_ = 0;
    QString lastMessage_;
    std::unique_ptr<windows::Form1> form_;
};

} // namespace bench
