#include "windows/startup.h"

#include "accessibility/accessible_descriptions.h"
#include "catalogue/load_error.h"
#include "catalogue/loaders.h"
#include "catalogue/path_text.h"
#include "platform/program_folder.h"
#include "platform/program_font_source.h"
#include "quiz/random_source.h"
#include "windows/form1.h"
#include "windows/program_font.h"
#include "windows/version_info.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStyleFactory>

#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

namespace windows {

namespace {

// What Qt says while it opens the display, held back until it is known
// whether there is one: its complaints about each platform it tried would
// only bury the one line that matters.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;

void HoldWhileOpening(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, context.category, text});
        return;
    }
    // Qt's last word when no platform could be started; it would abort next.
    if (text.contains(QLatin1String("platform plugin"))) {
        std::cerr << "quelvane: no display can be opened; start Quelvane from a desktop session, or with "
                     "QT_QPA_PLATFORM=offscreen to run it without a screen\n";
        std::_Exit(1);
    }
    previousHandler(type, context, text);
}

} // namespace

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv)
{
    previousHandler = qInstallMessageHandler(HoldWhileOpening);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : std::exchange(heldMessages, {}))
        previousHandler(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.constData()), message.text);
    ConfigureApplication(*app);
    return app;
}

void ConfigureApplication(QApplication& app)
{
    QApplication::setApplicationName(QString::fromUtf8(kProductName));
    QApplication::setApplicationVersion(QString::fromUtf8(kVersion));
    QApplication::setOrganizationName(QString::fromUtf8(kCompanyName));
    QApplication::setDesktopFileName(QStringLiteral("io.github.quelvane.Quelvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quelvane/quelvane.ico")));
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    platform::InstallProgramFont();
    app.setFont(ProgramFont());
    accessibility::InstallAccessibleDescriptions();
}

std::unique_ptr<Form1> StartQuelvane(const std::filesystem::path& programFolder, quiz::RandomSource& random,
                                     const MessageBox& messageBox)
{
    auto form = std::make_unique<Form1>(random, messageBox);
    try {
        form->Form_Load(catalogue::FindDataFolder(programFolder));
    } catch (const catalogue::LoadError& error) {
        const QString file = QDir::toNativeSeparators(QString::fromStdString(catalogue::PathText(error.file())));
        const QString cause = QString::fromStdString(error.cause());
        std::cerr << "quelvane: " << error.what() << '\n';
        messageBox(nullptr, QStringLiteral("Quelvane cannot start.\n\n%1: %2").arg(file, cause));
        return nullptr;
    }
    return form;
}

int RunQuelvane()
{
    quiz::RandomSource random;
    auto form = StartQuelvane(platform::ProgramFolder(), random, ShowMessageBox);
    if (!form)
        return 1;
    form->show();
    return QApplication::exec();
}

} // namespace windows
