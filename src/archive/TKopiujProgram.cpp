#include "TKopiujProgram.h"

#include "ArchivePaths.h"
#include "BackupSwap.h"
#include "RestoreSwap.h"
#include "common/Paths.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "ui_TKopiujProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace tarlok {

namespace {

const QString kCopying = QStringLiteral("PROSZĘ CZEKAĆ - KOPIUJĘ ZBIORY DO ARCHIWUM");
const QString kIncomplete = QStringLiteral("NIEPEŁNA KOPIA PROGRAMU");
const QString kShortWrite = QStringLiteral("Błąd kopiowania");
const QString kCaption = QStringLiteral("KOPIUJEMY");

QString floppyRequest(int number) {
    return QStringLiteral("PROSZĘ WŁOŻYĆ DYSKIETKĘ ") + QString::number(number);
}

} // namespace

TKopiujProgram::TKopiujProgram(Forms& forms)
    : ArchiveWindow(forms, 10), m_ui(std::make_unique<Ui::TKopiujProgram>()) {
    setObjectName(QStringLiteral("KopiujProgram"));
    m_ui->setupUi(this);
    setControls(Controls::of(m_ui.get(), m_ui->Kopiuj));
    connectAction(forms.context.dialogs, m_ui->Kopiuj, &QPushButton::clicked, this,
                  &TKopiujProgram::KopiujClick);
}

TKopiujProgram::~TKopiujProgram() = default;

void TKopiujProgram::openWindow() {
    // What is being typed anywhere is saved or cancelled before the copy closes the tables.
    if (forms().refuseWhileTyping())
        return;
    m_ui->LabelKomunikat->hide();
    forms().context.dialogs.showModal(this);
}

QString TKopiujProgram::missingFolderMessage() const {
    return QStringLiteral("DANE NIE SĄ ZAINSTALOWANE W KATALOGU \"") +
           archive::programPathText(drives().programDrive(), QStringLiteral("Tarlok\\Dane_pojazdy")) +
           QLatin1Char('"');
}

void TKopiujProgram::showCopyLabels() {
    m_ui->LabelOpisCo->setText(QStringLiteral("Kopiuję:"));
    m_ui->LabelOpisGdzie->setText(QStringLiteral("do:"));
    m_ui->LabelOpisPlik->setText(QStringLiteral("Skopiowano"));
    m_ui->LabelOpisWszystkie->setText(QStringLiteral("Kopia wszystkich zbiorów"));
}

void TKopiujProgram::KopiujClick() {
    setCopying(true);
    const auto done = qScopeGuard([this] {
        hideMessageLine();
        setCopying(false);
    });
    backup();
}

void TKopiujProgram::backup() {
    if (forms().refuseWhileTyping())
        return;
    const Drive drive = archiveDrive();
    if (!driveAvailable(drive, true, QStringLiteral("KOPIA NIE ZOSTAŁA WYKONANA")))
        return;
    closeTables();
    const QString dataFolder = forms().context.dataFolder();
    // A table left with a journal by a crash is settled through the engine first: no archive holds one.
    for (const QFileInfo& file : archive::filesOf(dataFolder)) {
        if (!archive::isSideFile(file.fileName()))
            continue;
        const QString table = paths::fileIn(dataFolder, file.fileName().section(QLatin1Char('-'), 0, -2));
        if (QFileInfo(table).isFile())
            archive::settleTableFile(table);
    }
    QFileInfoList files;
    for (const QFileInfo& file : archive::filesOf(dataFolder)) {
        if (!archive::isSideFile(file.fileName()))
            files.append(file);
    }
    const qint64 total = archive::totalBytes(files);
    resetCounters(total, drive);
    if (drive.floppy)
        backupToFloppies(files, total, drive);
    else
        backupToDisk(files, total, drive);
}

void TKopiujProgram::backupToDisk(const QFileInfoList& files, qint64 total, const Drive& drive) {
    Dialogs& dialogs = forms().context.dialogs;
    const archive::BackupPlace place =
        archive::backupPlace(drive, drives().programDrive(), forms().context.clock.today());
    QDir().mkpath(place.root);
    archive::settleArchiveRoot(drives(), place.root);
    const bool created = !QFileInfo(place.folder).isDir();
    if (drives().freeKb(drive) < archive::wholeKb(total) && created &&
        !dialogs.question(QStringLiteral("ZA MAŁO MIEJSCA NA WYBRANYM DYSKU DLA KOPII PLIKÓW DANYCH"),
                          QStringLiteral("Kontynuować"))) {
        return;
    }
    // The files go into a folder of their own; the earlier folder of the day stays as it is until every
    // one of them is verified, and a backup that fails leaves nothing of its own.
    const QString staged = archive::stagedFolder(place.folder);
    const auto leaveNothing = qScopeGuard([&] { QDir(staged).removeRecursively(); });
    QDir().mkpath(staged);
    showMessageLine(kCopying);
    for (const QFileInfo& file : files) {
        const archive::CopyOutcome outcome =
            copyFile(file.filePath(), archive::joined(staged, file.fileName()),
                     archive::joined(place.folder, file.fileName()));
        if (outcome == archive::CopyOutcome::ShortWrite) {
            hideMessageLine();
            clearProgress();
            dialogs.message(kShortWrite);
            return;
        }
        if (outcome != archive::CopyOutcome::Copied) {
            hideMessageLine();
            dialogs.message(kIncomplete);
            clearProgress();
            return;
        }
    }
    hideMessageLine();
    // The staged folder's entries are on the disk before it takes the dated folder's place.
    finish(drives().syncFolder(staged) && archive::putStagedInPlace(drives(), place.folder), total);
}

void TKopiujProgram::backupToFloppies(const QFileInfoList& files, qint64 total, const Drive& drive) {
    Dialogs& dialogs = forms().context.dialogs;
    const QString folder = archive::backupPlace(drive, drives().programDrive(), QDate()).folder;
    int number = 1;
    if (!askForFloppy(drive, number))
        return;
    if (!prepareFloppy(drive, folder)) {
        finish(false, total);
        return;
    }
    if (drives().freeKb(drive) < archive::wholeKb(total)) {
        const qint64 capacity = std::max<qint64>(1, drives().totalKb(drive));
        dialogs.message(QStringLiteral("ILOŚĆ DYSKIETEK DO WYKONANIA KOPII BAZY MIN ") +
                        QString::number(archive::wholeKb(total) / capacity + 1));
        if (!dialogs.question(QStringLiteral("TWORZYMY KOPIE BAZY NA DYSKIETKACH ??"), kCaption)) {
            clearProgress();
            return;
        }
    }
    bool allVerified = true;
    for (const QFileInfo& file : files) {
        // A file is never split: one that would leave less than 1 kB free goes to the next floppy.
        if (drives().freeKb(drive) - archive::wholeKb(file.size()) < 1) {
            ++number;
            if (!dialogs.question(floppyRequest(number), kCaption)) {
                clearProgress();
                return;
            }
            if (!askForFloppy(drive, number))
                return;
            if (!prepareFloppy(drive, folder)) {
                allVerified = false;
                break;
            }
            if (drives().freeKb(drive) - archive::wholeKb(file.size()) < 1) {
                dialogs.message(QStringLiteral("Plik przekracza pojemność dyskietki - kopia przerwana"));
                clearProgress();
                return;
            }
        }
        showMessageLine(kCopying);
        const archive::CopyOutcome outcome =
            copyFile(file.filePath(), archive::joined(folder, file.fileName()),
                     archive::joined(folder, file.fileName()));
        hideMessageLine();
        // The floppy may be taken out before the next file: each file's entry goes onto it at once.
        drives().syncFolder(folder);
        if (outcome == archive::CopyOutcome::ShortWrite) {
            clearProgress();
            dialogs.message(kShortWrite);
            return;
        }
        if (outcome != archive::CopyOutcome::Copied) {
            allVerified = false;
            break;
        }
    }
    finish(allVerified, total);
}

bool TKopiujProgram::askForFloppy(const Drive& drive, int number) {
    while (!drives().readable(drive)) {
        if (!forms().context.dialogs.question(floppyRequest(number), kCaption)) {
            clearProgress();
            setDriveBack(true);
            return false;
        }
    }
    return true;
}

bool TKopiujProgram::prepareFloppy(const Drive& drive, const QString& folder) {
    if (!drives().readable(drive))
        return false;
    if (!QFileInfo(folder).isDir())
        return QDir().mkpath(folder);
    showMessageLine(QStringLiteral("USUWAM ZBIORY Z DYSKIETKI"));
    showDeleteLabels();
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (qsizetype i = files.size() - 1; i >= 0; --i) {
        const QFileInfo& file = files[i];
        m_ui->LabelCoKopiuje->setText(QDir::toNativeSeparators(file.filePath()));
        if (!drives().remove(file.filePath()))
            forms().context.dialogs.messageBox(QStringLiteral("Pliku ") + file.fileName() +
                                                   QStringLiteral(" NIE MOŻNA USUNĄĆ"),
                                               QStringLiteral("Błąd"));
        m_ui->ProgressBar1->setValue(100);
        m_ui->ProgressBar2->setValue(int((files.size() - i) * 100 / files.size()));
    }
    drives().syncFolder(folder);
    hideMessageLine();
    clearProgress();
    showCopyLabels();
    return true;
}

void TKopiujProgram::finish(bool allVerified, qint64 total) {
    Dialogs& dialogs = forms().context.dialogs;
    const auto cleared = qScopeGuard([this] { clearProgress(); });
    const bool good = allVerified && total > 0 && bytesCopied() == total;
    if (good) {
        // The files a restore replaced were kept until now.
        QDir(archive::safetyFolder(forms().context.drivePrefix)).removeRecursively();
    }
    setDriveBack(true);
    reopenTables();
    dialogs.message(good ? QStringLiteral("KOPIA PROGRAMU WYKONANA PRAWIDŁOWO") : kIncomplete);
}

} // namespace tarlok
