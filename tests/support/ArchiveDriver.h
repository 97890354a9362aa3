#pragma once

#include "Files.h"

#include "TestApp.h"

#include <QStringList>
#include <functional>

namespace tarlok {
class ArchiveWindow;
class TKopiujProgram;
class TOdtwarzanieDanych;
} // namespace tarlok

namespace tarlok::test {

// Drives the backup and restore windows as a user does: opened from the main window, a drive picked
// in the drive box, folders opened with a double click, the buttons pressed. The window stays shown
// while the script runs; afterwards it is closed as by the title bar unless the script closed it.
class ArchiveDriver {
public:
    explicit ArchiveDriver(TestApp& app) : m_app(app) {}

    // "KOPIA" in the main window, with `script` run while the backup window is shown.
    void backupWindow(const std::function<void(TKopiujProgram&)>& script);
    // "&Odtwarzanie danych" in the menu, with `script` run while the restore window is shown.
    void restoreWindow(const std::function<void(TOdtwarzanieDanych&)>& script);

    // A backup with the given archive drive: "KOPIA", the drive picked, "&Kopiuj".
    void backupTo(const QString& drive);
    // A restore of `folder` on `drive`: the drive picked, the folder opened from the drive's root with
    // double clicks, "&Odtwarzaj", and Yes to the question that names the archive.
    void restoreFrom(const QString& drive, const QString& folder);
    // The question a restore asks before it replaces the data: the archive folder and its day
    // ("05.03.2006").
    static QString restoreQuestion(const QString& folder, const QString& day);

    static void chooseDrive(ArchiveWindow& window, const QString& drive);
    // Double clicks through the folder list from where it stands down to `folder`.
    static void openFolder(ArchiveWindow& window, const QString& folder);
    static void doubleClickFolder(ArchiveWindow& window, const QString& name);
    static QStringList archiveFiles(ArchiveWindow& window);

private:
    TestApp& m_app;
};

} // namespace tarlok::test
