#include "tests/support/form_harness.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

ScreenReader* listening = nullptr;

void Hear(QAccessibleEvent* event)
{
    QAccessibleInterface* source = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && source->role() == QAccessible::Notification)
        listening->heard_ << source->text(QAccessible::Name);
}

} // namespace

ScreenReader::ScreenReader()
    : previous_(QAccessible::installUpdateHandler(Hear))
{
    listening = this;
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
}

ScreenReader::~ScreenReader()
{
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    QAccessible::installUpdateHandler(previous_);
}

bool Centred(const QWidget& window)
{
    const QPoint screen = window.screen()->geometry().center();
    const QPoint centre = window.frameGeometry().center();
    // A frame of odd width, or one the platform adds after the window was
    // placed, leaves it up to two pixels off.
    return std::abs(screen.x() - centre.x()) <= 2 && std::abs(screen.y() - centre.y()) <= 2;
}

void MessageLog::show(QWidget* parent, const QString& text)
{
    if (!onScreen) {
        texts << text;
        return;
    }
    QTimer::singleShot(0, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (box->isModal() && box->icon() == QMessageBox::NoIcon && box->standardButtons() == QMessageBox::Ok)
            texts << box->windowTitle() + ": " + box->text();
        if (clickOk)
            QTest::mouseClick(box->buttons().value(0), Qt::LeftButton);
        else
            QTest::keyClick(box, Qt::Key_Return);
    });
    windows::ShowMessageBoxOnScreen(parent, text);
}

FormHarness::FormHarness(const std::filesystem::path& dataFolder, std::uint64_t seed)
    : random_(seed)
{
    form_ = std::make_unique<windows::Form1>(random_, messages_.box());
    form_->Form_Load(dataFolder);
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
