#pragma once

#include "ArchiveWindow.h"

#include <QFileInfoList>
#include <memory>

namespace Ui {
class TKopiujProgram;
}

namespace tarlok {

// The backup window: copies every file of the data folder into a dated archive folder on a hard disk,
// or into the archive folder of as many floppies as it takes. Every file is verified before it takes
// its name; on a hard disk the new set takes the place of the earlier one of the day only when all of
// it is verified, so that one survives a backup that fails, whole.
class TKopiujProgram : public ArchiveWindow {
    Q_OBJECT

public:
    explicit TKopiujProgram(Forms& forms);
    ~TKopiujProgram() override;
    Ui::TKopiujProgram* ui() const { return m_ui.get(); }

    // What the main window's "KOPIA" does: the message line hidden, the window shown modally.
    void openWindow();

public slots:
    void KopiujClick();

protected:
    QString missingFolderMessage() const override;
    void showCopyLabels() override;

private:
    void backup();
    void backupToDisk(const QFileInfoList& files, qint64 total, const Drive& drive);
    void backupToFloppies(const QFileInfoList& files, qint64 total, const Drive& drive);
    // Creates the floppy's archive folder, or empties it when it is there; false when the floppy
    // cannot be written.
    bool prepareFloppy(const Drive& drive, const QString& folder);
    // Asks for floppy `number` until a readable one is in the drive; false when the user says No.
    bool askForFloppy(const Drive& drive, int number);
    // Step 5: tables open again, the drive set back, the outcome told.
    void finish(bool allVerified, qint64 total);

    std::unique_ptr<Ui::TKopiujProgram> m_ui;
};

} // namespace tarlok
