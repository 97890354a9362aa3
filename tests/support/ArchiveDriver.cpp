#include "ArchiveDriver.h"

#include "WindowDriver.h"

#include "app/TMeniProgramu.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "ui_TKopiujProgram.h"
#include "ui_TMeniProgramu.h"
#include "ui_TOdtwarzanieDanych.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTest>

namespace tarlok::test {

void ArchiveDriver::backupWindow(const std::function<void(TKopiujProgram&)>& script) {
    m_app.dialogs.onModal(QStringLiteral("tarlok::TKopiujProgram"),
                          [script](QWidget* w) { script(*static_cast<TKopiujProgram*>(w)); });
    QTest::mouseClick(m_app.forms().MeniProgramu->ui()->SpeedButton2, Qt::LeftButton);
}

void ArchiveDriver::restoreWindow(const std::function<void(TOdtwarzanieDanych&)>& script) {
    m_app.dialogs.onModal(QStringLiteral("tarlok::TOdtwarzanieDanych"),
                          [script](QWidget* w) { script(*static_cast<TOdtwarzanieDanych*>(w)); });
    m_app.forms().MeniProgramu->ui()->Odtwarzaniedanych1->trigger();
}

void ArchiveDriver::backupTo(const QString& drive) {
    backupWindow([&](TKopiujProgram& w) {
        chooseDrive(w, drive);
        QTest::mouseClick(w.ui()->Kopiuj, Qt::LeftButton);
    });
}

QString ArchiveDriver::restoreQuestion(const QString& folder, const QString& day) {
    return QStringLiteral("Dane programu zostaną zastąpione danymi z archiwum \"") +
           QDir::toNativeSeparators(folder) + QStringLiteral("\" z dnia ") + day +
           QStringLiteral(". Odtwarzamy?");
}

void ArchiveDriver::restoreFrom(const QString& drive, const QString& folder) {
    m_app.dialogs.answerYes();
    restoreWindow([&](TOdtwarzanieDanych& w) {
        chooseDrive(w, drive);
        openFolder(w, folder);
        QTest::mouseClick(w.ui()->Odtworz, Qt::LeftButton);
    });
}

void ArchiveDriver::chooseDrive(ArchiveWindow& window, const QString& drive) {
    auto* box = window.findChild<QComboBox*>(QStringLiteral("DyskDlaArchiwum"));
    QVERIFY(box);
    WindowDriver::chooseFromList(box, drive);
}

void ArchiveDriver::openFolder(ArchiveWindow& window, const QString& folder) {
    const QString from = QDir::cleanPath(window.archiveFolder());
    const QString to = QDir::cleanPath(folder);
    QVERIFY2(to.startsWith(from, Qt::CaseInsensitive),
             qPrintable(QStringLiteral("%1 is not below %2").arg(to, from)));
    for (const QString& part : to.mid(from.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts))
        doubleClickFolder(window, part);
}

void ArchiveDriver::doubleClickFolder(ArchiveWindow& window, const QString& name) {
    auto* list = window.findChild<QListWidget*>(QStringLiteral("KatalogDlaArchiwum"));
    QVERIFY(list);
    const QString wanted = QDir::cleanPath(window.archiveFolder()) + QLatin1Char('/') + name;
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (item->data(Qt::UserRole).toString().compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        list->scrollToItem(item);
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        return;
    }
    QFAIL(qPrintable(QStringLiteral("no folder %1 in the list").arg(wanted)));
}

QStringList ArchiveDriver::archiveFiles(ArchiveWindow& window) {
    auto* list = window.findChild<QListWidget*>(QStringLiteral("PlikiArchiwum"));
    QStringList names;
    for (int i = 0; list && i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

} // namespace tarlok::test
