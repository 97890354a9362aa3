// Starts the program on a data folder and ends as soon as the main window has been shown: the
// benchmark times this process from its start to its end.
#include "app/Application.h"
#include "app/TMeniProgramu.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "platform/Clock.h"
#include "platform/Help.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "store/Database.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tarlok::SystemClock clock;
    tarlok::ScriptedDialogs dialogs;
    tarlok::RecordingHelp help;
    tarlok::RecordingShell shell;
    tarlok::Database database;
    tarlok::AppContext context{
        clock, dialogs, help, shell, database, argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), {}};
    tarlok::Application program(context);
    if (!program.start())
        return 1;
    program.forms().MeniProgramu->show();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
