#include "Application.h"

#include "app/AppContext.h"
#include "app/Forms.h"
#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Paths.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTemporaryFile>
#include <QTranslator>

namespace tarlok {

Application::Application(AppContext& context) : m_context(context) {
}

Application::~Application() {
    if (m_qtPolish)
        QCoreApplication::removeTranslator(m_qtPolish.get());
}

void Application::usePolish() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    if (m_qtPolish)
        return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        m_qtPolish = std::move(translator);
    }
}

bool Application::start() {
    // Window titles are the captions as given: no application name is appended to them.
    usePolish();
    m_context.help.setHelpFile(QStringLiteral("c:\\tarlok\\tarlok.hlp"));
    m_forms = std::make_unique<Forms>(m_context);
    m_forms->MeniProgramu->move(0, 0);
    m_forms->Ewidencja_przejazdow->NarastajacoOdStycznia = false;
    if (!prepareDataFolder())
        return false;
    try {
        m_forms->Parametry1->schemaCheck();
    } catch (const Error& e) {
        m_context.dialogs.message(e.text());
    }
    m_forms->Parametry1->runStartupActions();
    return true;
}

// A missing data folder, or one without any of the eight installed tables, is a new installation:
// the tables are created empty with their base fields. A folder that lacks only some of them has lost
// data: the user is told which files are missing and decides whether empty ones are made.
bool Application::prepareDataFolder() {
    const QString relative = QString::fromLatin1(paths::kDataFolder);
    const QString folder = paths::ensureFolder(m_context.drivePrefix, relative);
    if (folder.isEmpty()) {
        m_context.dialogs.messageBox(
            QStringLiteral(
                "Nie można utworzyć folderu danych \"%1\".\nSprawdź, czy dysk jest dostępny i czy masz "
                "prawo zapisu. Program zostanie zamknięty.")
                .arg(QDir::toNativeSeparators(paths::resolve(m_context.drivePrefix, relative))),
            QStringLiteral("Błąd"));
        return false;
    }
    m_context.database.setAlias(QString::fromLatin1(Database::kAlias), folder);
    QTemporaryFile probe(folder + QStringLiteral("/zapis_XXXXXX.tmp"));
    if (!probe.open()) {
        m_context.dialogs.messageBox(
            QStringLiteral(
                "Brak prawa zapisu do folderu danych \"%1\".\nProgram nie może zapisywać danych i zostanie "
                "zamknięty.")
                .arg(QDir::toNativeSeparators(folder)),
            QStringLiteral("Błąd"));
        return false;
    }
    probe.close();

    const QStringList missing = schema::missingInstalledTables(m_context.database, folder);
    if (missing.isEmpty())
        return true;
    if (missing.size() < 8) {
        const bool create = m_context.dialogs.question(
            QStringLiteral(
                "W folderze danych \"%1\" brakuje plików tablic:\n%2\n\nDane mogły zostać usunięte lub "
                "przeniesione. Jeżeli masz kopię danych, odtwórz je z archiwum.\nCzy utworzyć brakujące "
                "tablice jako puste?")
                .arg(QDir::toNativeSeparators(folder), missing.join(QStringLiteral(", "))),
            QStringLiteral("WYBIERZ"));
        if (!create)
            return true;
    }
    try {
        schema::createInstalledTables(m_context.database, folder, missing);
    } catch (const Error& e) {
        m_context.dialogs.messageBox(
            QStringLiteral("Nie można utworzyć tablic w folderze danych: %1").arg(e.text()),
            QStringLiteral("Błąd"));
    }
    return true;
}

} // namespace tarlok
