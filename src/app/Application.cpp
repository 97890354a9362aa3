#include "Application.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "archive/RestoreSwap.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "common/Paths.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "deadlines/TInformacjeNotatki.h"
#include "deadlines/TInformacjeNotatkiDruk.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "deadlines/TPrzegladTerminow.h"
#include "deadlines/TTerminyDruk.h"
#include "lumpsum/TRyczaltEwidencja.h"
#include "platform/Dialogs.h"
#include "platform/Drives.h"
#include "platform/Help.h"
#include "reference/TCel_Wyjazdu.h"
#include "reference/TJaki_Wydatek.h"
#include "reference/TKierowcy1.h"
#include "reference/TNowy_Okres.h"
#include "reference/TPojazdy_firmy.h"
#include "reference/TStawki_poj.h"
#include "reference/TTrasy.h"
#include "reference/TWlascicielPodatnik.h"
#include "reference/TWybor_okresu.h"
#include "register/TEwidencja_przejazdow.h"
#include "register/TImportCsv.h"
#include "register/TSprawdzenieLicznika.h"
#include "reports/TFormularzWydrukow.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Schema.h"
#include "store/Table.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTemporaryFile>
#include <QTranslator>
#include <QWheelEvent>

#include <memory>
#include <utility>

namespace tarlok {

namespace {

// The application-wide wheel hook: every wheel step becomes an Up or Down key for the focused
// control, so grids move one row per step.
class WheelToArrows : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel)
            return false;
        auto* wheel = static_cast<QWheelEvent*>(event);
        const int delta = wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->angleDelta().x();
        QObject* target = QApplication::focusWidget();
        if (!target)
            target = watched;
        const int key = delta > 0 ? Qt::Key_Up : Qt::Key_Down;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
        return true;
    }
};

// A slot of the registry that builds its window, adopted by the registry, at its first use.
template <class Window> void buildOnUse(Forms& forms, WindowSlot<Window>& slot) {
    slot.setBuilder([&forms] { return forms.adopt(std::make_unique<Window>(forms)); });
}

// Every window of the program. The main window and the windows that follow the shared data from the
// start (the vehicles list, which follows the current vehicle, the settings that check the schema, the
// deadline overview shown at start) are built at once, in the order in which windows may rely on each
// other being there. The windows that only act when they are opened, the register and the lists of
// routes, purposes and expense kinds among them (only they edit their tables, so their rules are in
// place before any edit), are built at their first use.
void createWindows(Forms& forms) {
    buildOnUse(forms, forms.MeniProgramu);
    buildOnUse(forms, forms.FormularzWydrukow);
    buildOnUse(forms, forms.Ewidencja_przejazdow);
    buildOnUse(forms, forms.Cel_Wyjazdu);
    buildOnUse(forms, forms.Nowy_Okres);
    buildOnUse(forms, forms.Pojazdy_firmy);
    buildOnUse(forms, forms.Stawki_poj);
    buildOnUse(forms, forms.Trasy);
    buildOnUse(forms, forms.Wybor_okresu);
    buildOnUse(forms, forms.Jaki_Wydatek);
    buildOnUse(forms, forms.KopiujProgram);
    buildOnUse(forms, forms.OdtwarzanieDanych);
    buildOnUse(forms, forms.RyczaltEwidencja);
    buildOnUse(forms, forms.OpcjeDlaTerminow);
    forms.deadlinesForm.setBuilder([&forms] { return &forms.OpcjeDlaTerminow->form(); });
    buildOnUse(forms, forms.InformacjeNotatki);
    buildOnUse(forms, forms.InformacjeNotatkiDruk);
    buildOnUse(forms, forms.TerminyDruk);
    buildOnUse(forms, forms.TerminyDruk1);
    buildOnUse(forms, forms.Parametry1);
    buildOnUse(forms, forms.Kierowcy1);
    buildOnUse(forms, forms.WlascicielPodatnik);
    buildOnUse(forms, forms.SprawdzenieLicznika);
    buildOnUse(forms, forms.PrzegladTerminow);
    buildOnUse(forms, forms.ImportCsv);

    forms.MeniProgramu.get();
    forms.Pojazdy_firmy.get();
    forms.Parametry1.get();
    forms.PrzegladTerminow.get();
}

// The shared tables, registered before any window: a window's tables linked to them close before them
// and open again after them.
void registerSharedTables(Forms& forms, SharedData& data) {
    auto open = std::make_shared<QList<Table*>>();
    forms.tableHolders.add(
        &data, [&data, open] { *open = data.closeAll(); },
        [open] {
            const QList<Table*> tables = std::exchange(*open, {});
            SharedData::reopen(tables);
        });
}

// How the schema follows a restore. (The windows join the table holders from their constructors.)
void settleSchemaAfterRestore(Forms& forms) {
    TableHolders& holders = forms.tableHolders;
    holders.settleSchema = [&forms] {
        TParametry1& schemaWindow = *forms.Parametry1;
        schemaWindow.schemaCheck();
        schemaWindow.runStartupActions();
        // Tables restored from an older archive lack the fields their flags say they have.
        for (schema::Upgrade upgrade :
             schema::missingUpgrades(forms.context.database, forms.context.dataFolder())) {
            switch (upgrade) {
            case schema::Upgrade::Trips:
                schemaWindow.RozszerzTablicePrzejazdyClick();
                break;
            case schema::Upgrade::Costs:
                schemaWindow.RozszerzTabliceKosztyClick();
                break;
            case schema::Upgrade::Vehicles:
                schemaWindow.RozszerzTablicePojazdyClick();
                break;
            case schema::Upgrade::Deadlines:
                schemaWindow.RozszerzTabliceTerminyClick();
                break;
            }
        }
    };
}

} // namespace

Application::Application(AppContext& context)
    : m_context(context), m_data(std::make_unique<SharedData>(context.database)) {
    m_context.shared = m_data.get();
}

Application::~Application() {
    if (m_wheel)
        qApp->removeEventFilter(m_wheel.get());
    if (m_helpKey)
        qApp->removeEventFilter(m_helpKey.get());
    if (m_qtPolish)
        QCoreApplication::removeTranslator(m_qtPolish.get());
    // The windows first: they are bound to the shared tables.
    m_forms.reset();
    m_context.shared = nullptr;
    if (m_drives && m_context.drives == m_drives.get())
        m_context.drives = nullptr;
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
    if (!m_context.drives) {
        m_drives = std::make_unique<SystemDrives>(m_context.drivePrefix);
        m_context.drives = m_drives.get();
    }
    m_forms = std::make_unique<Forms>(m_context);
    registerSharedTables(*m_forms, *m_data);
    createWindows(*m_forms);
    settleSchemaAfterRestore(*m_forms);
    if (!m_wheel) {
        m_wheel = std::make_unique<WheelToArrows>();
        qApp->installEventFilter(m_wheel.get());
    }
    if (!m_helpKey) {
        m_helpKey = helpKey([this](int topic) { m_context.showHelp(topic); });
        qApp->installEventFilter(m_helpKey.get());
    }
    m_forms->MeniProgramu->move(0, 0);
    m_data->NarastajacoOdStycznia = false;
    if (!prepareDataFolder())
        return false;
    try {
        m_forms->Parametry1->schemaCheck();
    } catch (const Error& e) {
        m_context.dialogs.message(e.text());
    }
    m_forms->Parametry1->runStartupActions();
    // Deadlines due or past are shown once, over the main window; otherwise the start stays silent.
    m_forms->PrzegladTerminow->showIfDue(m_forms->MeniProgramu);
    return true;
}

// A restore cut short is settled before any table opens: a swap under way is finished, a staging
// folder left before the swap is removed. The user is told which it was.
bool Application::finishInterruptedRestore(const QString& dataFolder) {
    switch (archive::recoverInterruptedRestore(*m_context.drives, m_context.drivePrefix, dataFolder)) {
    case archive::Recovery::Nothing:
        break;
    case archive::Recovery::Finished:
        m_context.dialogs.messageBox(
            QStringLiteral("Odtwarzanie danych z archiwum zostało przerwane w trakcie podmiany plików.\n"
                           "Podmianę dokończono: dane programu pochodzą z archiwum."),
            QStringLiteral("Informacja"));
        break;
    case archive::Recovery::StagingRemoved:
        m_context.dialogs.messageBox(
            QStringLiteral("Odtwarzanie danych z archiwum zostało przerwane przed podmianą plików.\n"
                           "Dane programu pozostały bez zmian - odtwórz je ponownie."),
            QStringLiteral("Informacja"));
        break;
    case archive::Recovery::Failed:
        m_context.dialogs.messageBox(
            QStringLiteral("Nie można dokończyć przerwanego odtwarzania danych z archiwum.\nSprawdź, czy "
                           "masz prawo zapisu do folderu \"%1\", i uruchom program ponownie.")
                .arg(QDir::toNativeSeparators(dataFolder)),
            QStringLiteral("Błąd"));
        return false;
    }
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
    if (!finishInterruptedRestore(folder))
        return false;
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
