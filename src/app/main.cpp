#include "app/Application.h"
#include "app/TMeniProgramu.h"
#include "common/Paths.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/HelpWindow.h"
#include "platform/Shell.h"
#include "reports/engine/Output.h"
#include "store/Database.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarlok"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman CE"), QStringLiteral("Times New Roman"));

    tarlok::SystemClock clock;
    tarlok::WidgetDialogs dialogs(QString::fromLatin1(tarlok::Application::title()));
    tarlok::HelpWindow help;
    tarlok::DesktopShell shell;
    tarlok::Database database;
    tarlok::AppContext context{clock, dialogs, help, shell, database, tarlok::paths::drivePrefix(), {}};
    tarlok::report::PrinterOutput output(dialogs);
    context.output = &output;

    tarlok::Application tarlok(context);
    if (!tarlok.start())
        return 1;
    tarlok.forms().MeniProgramu->show();
    return QApplication::exec();
}
