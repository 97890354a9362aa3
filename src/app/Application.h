#pragma once

#include <memory>

class QObject;
class QString;
class QTranslator;

namespace tarlok {

struct AppContext;
class Drives;
class Forms;
class SharedData;

// The program from its start to the main window waiting for the user: the windows, the data folder,
// the schema check and the start-up schema actions. main() runs it with the real platform; tests run
// it on a temporary folder with scripted dialogs and a fixed clock.
class Application {
public:
    explicit Application(AppContext& context);
    ~Application();

    // Runs start-up up to the event loop. False when the program cannot go on (its data folder
    // cannot be created or written); the user has then been told why.
    bool start();

    Forms& forms() { return *m_forms; }
    SharedData& data() { return *m_data; }

    static const char* title() { return "TARLOK"; }

    // The program is Polish whatever the system's locale: numbers and dates of every window in the
    // Polish locale, and Qt's own dialogs in Polish when Qt's translations are installed. Called by
    // start(), before any window exists.
    void usePolish();

private:
    bool prepareDataFolder();
    // False when a restore cut short cannot be finished (the program cannot go on).
    bool finishInterruptedRestore(const QString& dataFolder);

    AppContext& m_context;
    std::unique_ptr<SharedData> m_data;
    std::unique_ptr<Drives> m_drives; // the real drives, when the context brought none
    std::unique_ptr<Forms> m_forms;
    std::unique_ptr<QObject> m_wheel;
    std::unique_ptr<QObject> m_helpKey; // F1: the help topic of the window in use
    std::unique_ptr<QTranslator> m_qtPolish;
};

} // namespace tarlok
