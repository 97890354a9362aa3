// The baseline of start-up: a bare Qt window shown, then the process ends. With the argument "text" the
// window shows one line of text, so that the fonts are loaded as any window with a caption loads them.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(800, 250);
    if (argc > 1 && qstrcmp(argv[1], "text") == 0)
        window.setCentralWidget(new QLabel(QStringLiteral("Ewidencja przebiegu pojazdu")));
    window.show();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
