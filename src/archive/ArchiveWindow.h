#pragma once

#include "FileCopy.h"
#include "platform/Drives.h"

#include <QDialog>
#include <QElapsedTimer>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;

namespace tarlok {

class Forms;

// What the backup and the restore windows share: the program's drive, folders and files in a panel
// the user cannot change; the archive drive, folder and files the user chooses; the message line; the
// copy's labels, counters and bars; closing the tables before a copy and opening them again on any
// close of the window.
class ArchiveWindow : public QDialog {
    Q_OBJECT

public:
    ~ArchiveWindow() override;

    // The folder whose files PlikiArchiwum lists (the archive folder a restore takes).
    QString archiveFolder() const { return m_folder; }
    // The drive chosen in DyskDlaArchiwum, as it was offered (a drive gone since stays the one chosen).
    Drive archiveDrive();
    // True while a copy runs.
    bool isCopying() const { return m_copying; }

public slots:
    void DyskDlaArchiwumChange();
    void DyskDlaArchiwumClick();
    void KatalogDlaArchiwumChange();
    void KatalogDlaArchiwumClick();
    void WyjscieClick();
    void PomocClick();

protected:
    // The controls both windows have, taken from the window's form.
    struct Controls {
        QComboBox* Dyski = nullptr;
        QListWidget* Katalogi = nullptr;
        QListWidget* Pliki = nullptr;
        QComboBox* Filtr = nullptr;
        QComboBox* DyskDlaArchiwum = nullptr;
        QListWidget* KatalogDlaArchiwum = nullptr;
        QListWidget* PlikiArchiwum = nullptr;
        QLabel* LabelKomunikat = nullptr;
        QLabel* LabelIleMiejsca = nullptr;
        QLabel* LabelCoKopiuje = nullptr;
        QLabel* LabelGdzieKopiuje = nullptr;
        QLabel* LabelLicznik = nullptr;
        QLabel* LabelProcent = nullptr;
        QLabel* LabelOpisCo = nullptr;
        QLabel* LabelOpisGdzie = nullptr;
        QLabel* LabelOpisPlik = nullptr;
        QLabel* LabelOpisWszystkie = nullptr;
        QProgressBar* ProgressBar1 = nullptr;
        QProgressBar* ProgressBar2 = nullptr;
        QPushButton* Wykonaj = nullptr; // "&Kopiuj" or "&Odtwarzaj"
        QPushButton* Wyjscie = nullptr;
        QPushButton* Pomoc = nullptr;

        template <class Ui> static Controls of(Ui* ui, QPushButton* action) {
            return Controls{ui->Dyski,
                            ui->Katalogi,
                            ui->Pliki,
                            ui->Filtr,
                            ui->DyskDlaArchiwum,
                            ui->KatalogDlaArchiwum,
                            ui->PlikiArchiwum,
                            ui->LabelKomunikat,
                            ui->LabelIleMiejsca,
                            ui->LabelCoKopiuje,
                            ui->LabelGdzieKopiuje,
                            ui->LabelLicznik,
                            ui->LabelProcent,
                            ui->LabelOpisCo,
                            ui->LabelOpisGdzie,
                            ui->LabelOpisPlik,
                            ui->LabelOpisWszystkie,
                            ui->ProgressBar1,
                            ui->ProgressBar2,
                            action,
                            ui->Wyjscie,
                            ui->Pomoc};
        }
    };

    // The copy's labels and bars are repainted at most this often (and as its first file starts).
    static constexpr int kRepaintEveryMs = 100;

    ArchiveWindow(Forms& forms, int helpTopic);
    // Wires the controls; called by the window once its form is set up.
    void setControls(const Controls& controls);

    // The message shown when P + "Tarlok" is missing as the drive is set back.
    virtual QString missingFolderMessage() const = 0;

    Forms& forms() { return m_forms; }
    Drives& drives() const;
    const Controls& controls() const { return m_c; }

    // A hard disk taken away since it was chosen (or, `writing`, made read-only) is told, followed by
    // `refused`, and false is returned: no other drive stands in for it. A missing floppy is asked for
    // by the copy itself.
    bool driveAvailable(const Drive& drive, bool writing, const QString& refused);
    // Closes every table and data window of the program; opens again what was open.
    void closeTables();
    void reopenTables();
    // Selects P in DyskDlaArchiwum and P + "Tarlok" in KatalogDlaArchiwum; `tell`: says so when that
    // folder is missing.
    void setDriveBack(bool tell);
    // Fills the program's panel: its drive, its folders and the data files.
    void showProgramFiles();
    // Lists the files of the archive folder; false (after the question) when the drive cannot be read.
    bool listArchiveFiles();
    // Makes `folder` the archive folder, as a double click on it does.
    void openFolder(const QString& folder);

    void showMessageLine(const QString& text);
    void hideMessageLine();
    void showFreeSpace(const Drive& drive, bool copying);

    // The copy's counters and display: the total of all files, the drive whose free space is shown.
    void resetCounters(qint64 total, const Drive& spaceOf, bool showPercent = true);
    // One verified copy with the labels, counters and bars. The labels and bars are set as the copy
    // starts and ends; the window is repainted as the first file starts, then at most every
    // kRepaintEveryMs. The caller forces the target folder's entries onto the disk once its files are
    // copied.
    archive::CopyOutcome copyFile(const QString& source, const QString& target, const QString& shownTarget);
    // Repaints the window now (the user's input waits); what waits for a worker calls it every
    // kRepaintEveryMs.
    void repaintProgress();
    qint64 bytesCopied() const { return m_bytes; }
    void clearProgress();
    // Disables the buttons and the archive controls while a copy runs.
    void setCopying(bool copying);
    // The labels while files are deleted from a floppy, and back.
    void showDeleteLabels();
    virtual void showCopyLabels() = 0;

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void leave();
    void fillDrives();
    void fillFolders();
    bool repaintDue() const;
    // Puts the counters into the labels and bars, and repaints the window when it is due (or `now`).
    void showCounters(bool repaintNow = false);
    void folderActivated(QListWidgetItem* item);

    Forms& m_forms;
    int m_helpTopic;
    Controls m_c;
    QString m_folder;
    bool m_copying = false;
    bool m_left = false;

    // The counters of the copy.
    qint64 m_total = 0;
    qint64 m_bytes = 0;
    int m_files = 0;
    qint64 m_fileSize = 0;
    qint64 m_fileBytes = 0;
    bool m_showPercent = true;
    Drive m_spaceOf;
    QElapsedTimer m_sinceRepaint;
};

} // namespace tarlok
