#include "ArchiveWindow.h"

#include "ArchivePaths.h"
#include "common/Paths.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

namespace tarlok {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFloppyRole = Qt::UserRole + 1;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Sets a bar's value without the bar repainting itself at once, as QProgressBar does: it is painted
// with the rest of the window.
void setQuietly(QProgressBar* bar, int value) {
    if (bar->value() == value)
        return;
    bar->setUpdatesEnabled(false);
    bar->setValue(value);
    bar->setUpdatesEnabled(true);
}

} // namespace

ArchiveWindow::ArchiveWindow(Forms& forms, int helpTopic) : m_forms(forms), m_helpTopic(helpTopic) {
    setHelpTopic(this, helpTopic);
}

ArchiveWindow::~ArchiveWindow() = default;

void ArchiveWindow::setControls(const Controls& controls) {
    m_c = controls;
    setModal(true);
    // The message line keeps its room when hidden: the lists do not jump.
    QSizePolicy line = m_c.LabelKomunikat->sizePolicy();
    line.setRetainSizeWhenHidden(true);
    m_c.LabelKomunikat->setSizePolicy(line);
    m_c.Filtr->addItem(QStringLiteral("Wszystkie zbiory (*.*)"));
    Dialogs& dialogs = m_forms.context.dialogs;
    connectAction(dialogs, m_c.DyskDlaArchiwum, &QComboBox::currentIndexChanged, this,
                  &ArchiveWindow::DyskDlaArchiwumChange);
    connectAction(dialogs, m_c.DyskDlaArchiwum, &QComboBox::activated, this,
                  &ArchiveWindow::DyskDlaArchiwumClick);
    connect(m_c.KatalogDlaArchiwum, &QListWidget::itemActivated, this, &ArchiveWindow::folderActivated);
    connectAction(dialogs, m_c.KatalogDlaArchiwum, &QListWidget::itemClicked, this,
                  &ArchiveWindow::KatalogDlaArchiwumClick);
    connectAction(dialogs, m_c.Wyjscie, &QPushButton::clicked, this, &ArchiveWindow::WyjscieClick);
    connectAction(dialogs, m_c.Pomoc, &QPushButton::clicked, this, &ArchiveWindow::PomocClick);
}

Drives& ArchiveWindow::drives() const {
    return *m_forms.context.drives;
}

Drive ArchiveWindow::archiveDrive() {
    const QComboBox* box = m_c.DyskDlaArchiwum;
    const int i = box->currentIndex();
    if (i < 0)
        return drives().programDrive();
    return Drive{box->itemText(i), box->itemData(i, kPathRole).toString(),
                 box->itemData(i, kFloppyRole).toBool()};
}

bool ArchiveWindow::driveAvailable(const Drive& drive, bool writing, const QString& refused) {
    if (drive.floppy)
        return true;
    const QString name = QStringLiteral("\"") + drive.name + QLatin1Char('"');
    QString text;
    if (!drives().readable(drive))
        text = QStringLiteral("DYSK ") + name + QStringLiteral(" JEST NIEDOSTĘPNY - ") + refused;
    else if (writing && !drives().writable(drive))
        text = QStringLiteral("NA DYSKU ") + name + QStringLiteral(" NIE MOŻNA ZAPISAĆ - ") + refused;
    else
        return true;
    m_forms.context.dialogs.message(text);
    return false;
}

// ---------------------------------------------------------------- the archive drive and folder

void ArchiveWindow::DyskDlaArchiwumChange() {
    const Drive drive = archiveDrive();
    m_folder = drive.root;
    fillFolders();
    showFreeSpace(drive, false);
}

void ArchiveWindow::DyskDlaArchiwumClick() {
    listArchiveFiles();
}

void ArchiveWindow::KatalogDlaArchiwumChange() {
    listArchiveFiles();
}

void ArchiveWindow::KatalogDlaArchiwumClick() {
    listArchiveFiles();
}

void ArchiveWindow::folderActivated(QListWidgetItem* item) {
    if (!item || m_copying)
        return;
    runAction(m_forms.context.dialogs, [&] { openFolder(item->data(kPathRole).toString()); });
}

void ArchiveWindow::openFolder(const QString& folder) {
    m_folder = QDir::cleanPath(folder);
    fillFolders();
    KatalogDlaArchiwumChange();
}

void ArchiveWindow::fillDrives() {
    const QSignalBlocker block(m_c.DyskDlaArchiwum);
    const QString chosen = m_c.DyskDlaArchiwum->currentText();
    m_c.DyskDlaArchiwum->clear();
    for (const Drive& drive : drives().list()) {
        m_c.DyskDlaArchiwum->addItem(drive.name, drive.root);
        m_c.DyskDlaArchiwum->setItemData(m_c.DyskDlaArchiwum->count() - 1, drive.floppy, kFloppyRole);
    }
    const int index = m_c.DyskDlaArchiwum->findText(chosen, Qt::MatchFixedString);
    m_c.DyskDlaArchiwum->setCurrentIndex(index >= 0 ? index : 0);
}

// The folder list of the chosen drive: the folders from the drive's root down to the archive folder,
// then the folders inside it, each indented by its depth.
void ArchiveWindow::fillFolders() {
    QListWidget* list = m_c.KatalogDlaArchiwum;
    const QSignalBlocker block(list);
    list->clear();
    const Drive drive = archiveDrive();
    const QString root = QDir::cleanPath(drive.root);
    if (m_folder.isEmpty() || !archive::isSameOrInside(m_folder, root))
        m_folder = root;
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto add = [&](const QString& text, const QString& path, int depth, const QIcon& icon) {
        auto* item = new QListWidgetItem(icon, QString(depth * 3, QLatin1Char(' ')) + text, list);
        item->setData(kPathRole, path);
        return item;
    };
    QListWidgetItem* current = add(native(drive.name), root, 0, open);
    QString path = root;
    int depth = 0;
    const QString below = m_folder.mid(root.size());
    for (const QString& part : below.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path = archive::joined(path, part);
        current = add(part, path, ++depth, open);
    }
    if (drives().readable(drive)) {
        const QStringList folders =
            QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
        for (const QString& folder : folders) {
            // A backup's folder of files not yet verified is no archive.
            if (!archive::isTemporaryName(folder))
                add(folder, archive::joined(m_folder, folder), depth + 1, closed);
        }
    }
    list->setCurrentItem(current);
}

bool ArchiveWindow::listArchiveFiles() {
    m_c.PlikiArchiwum->clear();
    if (!drives().readable(archiveDrive())) {
        m_forms.context.dialogs.question(QStringLiteral("PROSZĘ WŁOŻYĆ DYSKIETKĘ "),
                                         QStringLiteral("KOPIUJEMY"));
        return false;
    }
    for (const QFileInfo& file : archive::filesOf(m_folder))
        m_c.PlikiArchiwum->addItem(file.fileName());
    return true;
}

void ArchiveWindow::showProgramFiles() {
    const Drive program = drives().programDrive();
    m_c.Dyski->clear();
    m_c.Dyski->addItem(native(program.name));
    m_c.Katalogi->clear();
    const QString dataFolder = m_forms.context.dataFolder();
    QString path = QDir::cleanPath(program.root);
    m_c.Katalogi->addItem(new QListWidgetItem(style()->standardIcon(QStyle::SP_DirOpenIcon), native(path)));
    int depth = 0;
    for (const QString& part : dataFolder.mid(path.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts))
        m_c.Katalogi->addItem(new QListWidgetItem(style()->standardIcon(QStyle::SP_DirOpenIcon),
                                                  QString(++depth * 3, QLatin1Char(' ')) + part));
    m_c.Pliki->clear();
    for (const QFileInfo& file : archive::filesOf(dataFolder))
        m_c.Pliki->addItem(file.fileName());
}

void ArchiveWindow::setDriveBack(bool tell) {
    const Drive program = drives().programDrive();
    {
        const QSignalBlocker block(m_c.DyskDlaArchiwum);
        fillDrives();
        m_c.DyskDlaArchiwum->setCurrentIndex(std::max(0, m_c.DyskDlaArchiwum->findText(program.name)));
    }
    const QString tarlok = paths::resolve(program.root, QStringLiteral("Tarlok"));
    m_folder = QFileInfo(tarlok).isDir() ? tarlok : QDir::cleanPath(program.root);
    fillFolders();
    showFreeSpace(program, false);
    m_c.PlikiArchiwum->clear();
    for (const QFileInfo& file : archive::filesOf(m_folder))
        m_c.PlikiArchiwum->addItem(file.fileName());
    if (tell && !QFileInfo(tarlok).isDir())
        m_forms.context.dialogs.message(missingFolderMessage());
}

// ---------------------------------------------------------------- tables

void ArchiveWindow::closeTables() {
    m_forms.tableHolders.closeAll();
}

void ArchiveWindow::reopenTables() {
    m_forms.tableHolders.reopenAll();
    // The archive folder list shows what the copy changed.
    fillFolders();
    m_c.PlikiArchiwum->clear();
    if (drives().readable(archiveDrive())) {
        for (const QFileInfo& file : archive::filesOf(m_folder))
            m_c.PlikiArchiwum->addItem(file.fileName());
    }
}

// ---------------------------------------------------------------- the progress display

void ArchiveWindow::showMessageLine(const QString& text) {
    if (m_c.LabelKomunikat->isVisible() && m_c.LabelKomunikat->text() == text)
        return;
    m_c.LabelKomunikat->setText(text);
    m_c.LabelKomunikat->show();
    repaintProgress();
}

void ArchiveWindow::hideMessageLine() {
    m_c.LabelKomunikat->hide();
}

void ArchiveWindow::showFreeSpace(const Drive& drive, bool copying) {
    const qint64 free = std::max<qint64>(0, drives().freeKb(drive));
    m_c.LabelIleMiejsca->setText((copying ? QStringLiteral("Wolnego miejsca na dysku jest :")
                                          : QStringLiteral("Wolnego miejsca na dysku jest ")) +
                                 QString::number(free) + QStringLiteral(" kB"));
}

void ArchiveWindow::resetCounters(qint64 total, const Drive& spaceOf, bool showPercent) {
    m_total = total;
    m_bytes = 0;
    m_files = 0;
    m_fileSize = 0;
    m_fileBytes = 0;
    m_showPercent = showPercent;
    m_spaceOf = spaceOf;
    m_c.LabelIleMiejsca->show();
}

archive::CopyOutcome ArchiveWindow::copyFile(const QString& source, const QString& target,
                                             const QString& shownTarget) {
    ++m_files;
    m_fileSize = QFileInfo(source).size();
    m_fileBytes = 0;
    m_c.LabelCoKopiuje->setText(native(source));
    m_c.LabelGdzieKopiuje->setText(native(shownTarget));
    showCounters(m_files == 1);
    const archive::CopyOutcome outcome =
        archive::copyVerified(drives(), source, target, [this](qint64 bytes) {
            m_fileBytes += bytes;
            m_bytes += bytes;
            if (repaintDue())
                showCounters();
        });
    showCounters();
    return outcome;
}

bool ArchiveWindow::repaintDue() const {
    return !m_sinceRepaint.isValid() || m_sinceRepaint.elapsed() >= kRepaintEveryMs;
}

void ArchiveWindow::showCounters(bool repaintNow) {
    const int filePercent = m_fileSize > 0 ? int(m_fileBytes * 100 / m_fileSize) : 100;
    const int allPercent = m_total > 0 ? int(m_bytes * 100 / m_total) : 0;
    if (m_showPercent)
        m_c.LabelProcent->setText(QString::number(filePercent) + QStringLiteral("% zbioru"));
    m_c.LabelLicznik->setText(QStringLiteral("Zbiór ") + QString::number(m_files));
    setQuietly(m_c.ProgressBar1, std::clamp(filePercent, 0, 100));
    setQuietly(m_c.ProgressBar2, std::clamp(allPercent, 0, 100));
    if (repaintNow || repaintDue()) {
        showFreeSpace(m_spaceOf, true);
        repaintProgress();
    }
}

void ArchiveWindow::repaintProgress() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceRepaint.restart();
}

void ArchiveWindow::clearProgress() {
    m_c.ProgressBar1->setValue(0);
    m_c.ProgressBar2->setValue(0);
    for (QLabel* label : {m_c.LabelCoKopiuje, m_c.LabelGdzieKopiuje, m_c.LabelLicznik, m_c.LabelProcent})
        label->clear();
}

void ArchiveWindow::setCopying(bool copying) {
    m_copying = copying;
    for (QWidget* w : std::initializer_list<QWidget*>{m_c.Wykonaj, m_c.Wyjscie, m_c.Pomoc,
                                                      m_c.DyskDlaArchiwum, m_c.KatalogDlaArchiwum})
        w->setEnabled(!copying);
}

void ArchiveWindow::showDeleteLabels() {
    m_c.LabelOpisCo->setText(QStringLiteral("Usuwam:"));
    m_c.LabelOpisPlik->setText(QStringLiteral("Usunięto"));
    m_c.LabelOpisWszystkie->setText(QStringLiteral("Usuwanie wszystkich zbiorów"));
}

// ---------------------------------------------------------------- leaving

void ArchiveWindow::WyjscieClick() {
    // The window closes even when a table cannot be opened again (the user is told why).
    const auto closeAfter = qScopeGuard([this] {
        m_left = true;
        close();
    });
    leave();
}

void ArchiveWindow::PomocClick() {
    m_forms.context.showHelp(m_helpTopic);
}

// Whatever closes the window (the button, the title bar, Esc) opens the tables again and sets the
// archive drive back.
void ArchiveWindow::leave() {
    setDriveBack(true);
    reopenTables();
}

void ArchiveWindow::showEvent(QShowEvent* event) {
    m_left = false;
    runAction(m_forms.context.dialogs, [&] {
        showProgramFiles();
        setDriveBack(false);
    });
    QDialog::showEvent(event);
}

void ArchiveWindow::hideEvent(QHideEvent* event) {
    if (!m_left) {
        m_left = true;
        runAction(m_forms.context.dialogs, [&] { leave(); });
    }
    QDialog::hideEvent(event);
}

void ArchiveWindow::closeEvent(QCloseEvent* event) {
    if (m_copying) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ArchiveWindow::reject() {
    if (!m_copying)
        QDialog::reject();
}

} // namespace tarlok
