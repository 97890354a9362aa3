#include "TOdtwarzanieDanych.h"

#include "ArchivePaths.h"
#include "RestoreSwap.h"
#include "common/Paths.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "platform/Dialogs.h"
#include "store/TableDef.h"
#include "ui_TOdtwarzanieDanych.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>

#include <algorithm>

namespace tarlok {

namespace {

// The day an archive folder holds: the date of its name (dd_mm_yyyy, as the backup names it), otherwise
// (a floppy's folder) the day its newest file was written.
QDate archiveDate(const QString& folder, const QFileInfoList& files) {
    const QDate named = QDate::fromString(QFileInfo(folder).fileName(), QStringLiteral("dd_MM_yyyy"));
    if (named.isValid())
        return named;
    QDateTime newest;
    for (const QFileInfo& file : files)
        newest = std::max(newest, file.lastModified());
    return newest.date();
}

} // namespace

TOdtwarzanieDanych::TOdtwarzanieDanych(Forms& forms)
    : ArchiveWindow(forms, 11), m_ui(std::make_unique<Ui::TOdtwarzanieDanych>()) {
    setObjectName(QStringLiteral("OdtwarzanieDanych"));
    m_ui->setupUi(this);
    setControls(Controls::of(m_ui.get(), m_ui->Odtworz));
    connectAction(forms.context.dialogs, m_ui->Odtworz, &QPushButton::clicked, this,
                  &TOdtwarzanieDanych::OdtworzClick);
}

TOdtwarzanieDanych::~TOdtwarzanieDanych() = default;

void TOdtwarzanieDanych::openWindow() {
    // What is being typed anywhere is saved or cancelled before the restore replaces the data.
    if (forms().refuseWhileTyping())
        return;
    forms().context.dialogs.showModal(this);
}

QString TOdtwarzanieDanych::missingFolderMessage() const {
    return QStringLiteral("ARCHIWUM NIE ZNAJDUJE SIĘ W KATALOGU \"") +
           archive::programPathText(drives().programDrive(), QStringLiteral("Tarlok\\Archiwum.Poj")) +
           QLatin1Char('"');
}

void TOdtwarzanieDanych::showCopyLabels() {
    m_ui->LabelOpisCo->setText(QStringLiteral("Odtwarzam :"));
    m_ui->LabelOpisGdzie->setText(QStringLiteral("Do :"));
    m_ui->LabelOpisPlik->setText(QStringLiteral("Odtworzono"));
    m_ui->LabelOpisWszystkie->setText(QStringLiteral("Odtwarzanie wszystkich danych"));
}

void TOdtwarzanieDanych::OdtworzClick() {
    setCopying(true);
    const auto done = qScopeGuard([this] {
        hideMessageLine();
        setCopying(false);
    });
    restore();
}

void TOdtwarzanieDanych::restore() {
    AppContext& ctx = forms().context;
    Dialogs& dialogs = ctx.dialogs;
    if (forms().refuseWhileTyping())
        return;
    const Drive drive = archiveDrive();
    if (!driveAvailable(drive, false, QStringLiteral("DANE NIE ZOSTAŁY ODTWORZONE")))
        return;
    closeTables();
    const Drive program = drives().programDrive();
    const QString source = archiveFolder();
    resetCounters(0, program);
    if (!archive::isArchiveFolder(source, drive, program)) {
        dialogs.message(QStringLiteral("TO NIE JEST KATALOG ARCHIWUM"));
        reopenTables();
        return;
    }
    if (drive.floppy && !drives().readable(drive)) {
        dialogs.message(QStringLiteral("PROBLEMY ODTWORZENIA DANYCH Z DYSKIETKI - ODTWÓRZ Z DYSKU TWARDEGO"));
        reopenTables();
        return;
    }
    const QFileInfoList files = archive::filesOf(source);
    const qint64 total = archive::totalBytes(files);
    // The data are replaced only when the user confirms which archive replaces them.
    if (total > 0) {
        const QDate date = archiveDate(source, files);
        const QString question =
            QStringLiteral("Dane programu zostaną zastąpione danymi z archiwum \"%1\" z dnia %2. Odtwarzamy?")
                .arg(QDir::toNativeSeparators(source),
                     date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QStringLiteral("?"));
        if (!dialogs.question(question, QStringLiteral("WYBIERZ"))) {
            reopenTables();
            return;
        }
    }
    resetCounters(total, program, total != 0);
    showMessageLine(QStringLiteral("PROSZĘ CZEKAĆ - ODTWARZAM ZBIORY Z ARCHIWUM"));
    const auto cleared = qScopeGuard([this] { clearProgress(); });

    const QString staging = archive::stagingFolder(ctx.drivePrefix);
    bool shortWrite = false;
    const bool staged = stage(files, staging, shortWrite);
    if (shortWrite) {
        QDir(staging).removeRecursively();
        hideMessageLine();
        dialogs.message(QStringLiteral("Błąd odtwarzania"));
        return;
    }
    // Nothing in the data folder changes unless every file came whole and every table checked out.
    bool swapped = false;
    if (staged && total > 0 && bytesCopied() == total)
        swapped = archive::swapIn(drives(), archive::planSwap(ctx.drivePrefix, ctx.dataFolder()));
    // A swap that could not be put back leaves its marker and staged files for the next start.
    if (!QFileInfo::exists(archive::swapMarker(ctx.drivePrefix)))
        QDir(staging).removeRecursively();
    hideMessageLine();
    if (swapped && forms().tableHolders.settleSchema) {
        try {
            forms().tableHolders.settleSchema();
        } catch (const Error& e) {
            dialogs.message(e.text());
        }
    }
    reopenTables();
    showProgramFiles();
    if (total == 0 && bytesCopied() == 0)
        dialogs.message(QStringLiteral("NIE MOZNA KOPIOWAĆ KATALOGÓW - KLIKNIJ DWA RAZY WYBRANY KATALOG"));
    else if (swapped)
        dialogs.message(QStringLiteral("ODTWARZANIE DANYCH ZAKOŃCZONE SUKCESEM "));
    else
        dialogs.message(QStringLiteral("NIEPEŁNE ODTWORZENIE DANYCH"));
}

bool TOdtwarzanieDanych::stage(const QFileInfoList& files, const QString& staging, bool& shortWrite) {
    QDir(staging).removeRecursively();
    if (!QDir().mkpath(staging))
        return false;
    const QString dataFolder = forms().context.dataFolder();
    // Each table is checked while the next files copy, once it and the side files that came with it
    // are copied (opening it settles a journal among them).
    QHash<QString, qsizetype> lastFileOf;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString name = files[i].fileName();
        lastFileOf[(archive::isSideFile(name) ? name.section(QLatin1Char('-'), 0, -2) : name).toLower()] = i;
    }
    struct Unchecked {
        QString staged;
        const TableDef* table;
        qsizetype lastFile;
    };
    QList<Unchecked> unchecked;
    archive::TableChecks checks;
    bool whole = true;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QFileInfo& file = files[i];
        const QString staged = staging + QLatin1Char('/') + file.fileName();
        const archive::CopyOutcome outcome =
            copyFile(file.filePath(), staged, paths::fileIn(dataFolder, file.fileName()));
        if (outcome == archive::CopyOutcome::ShortWrite) {
            shortWrite = true;
            return false;
        }
        // A file that cannot be read or written is not restored; the bytes it lacks tell.
        if (outcome != archive::CopyOutcome::Copied) {
            whole = false;
            continue;
        }
        if (const TableDef* table = archive::tableOfFile(file.fileName()))
            unchecked.append(Unchecked{staged, table, lastFileOf.value(file.fileName().toLower())});
        for (auto it = unchecked.begin(); it != unchecked.end();) {
            if (it->lastFile > i) {
                ++it;
                continue;
            }
            checks.add(it->staged, *it->table);
            it = unchecked.erase(it);
        }
    }
    if (!whole || !drives().syncFolder(staging))
        return false;
    return checks.allPassed([this] { repaintProgress(); }, kRepaintEveryMs);
}

} // namespace tarlok
