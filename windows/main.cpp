#include "quiz/random_int.h"
#include "windows/form1.h"
#include "windows/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    windows::ConfigureApplication(app);

    quiz::RandomSource random;
    auto form = windows::StartQuelvane(QApplication::applicationDirPath().toStdString(), random,
                                       windows::ShowMessageBox);
    if (!form)
        return 1;
    form->show();
    return QApplication::exec();
}
