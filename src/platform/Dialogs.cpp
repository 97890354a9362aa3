#include "Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace tarlok {

namespace {

// The file list's columns that the file model writes in the system's locale (sizes and dates), written
// in the default locale instead.
class ProgramLocaleFiles final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
        case 1:
            if (files->isDir(source))
                return QIdentityProxyModel::data(index, role);
            return QLocale().formattedDataSize(files->size(source));
        case 3:
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }
};

} // namespace

void useProgramLocale(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new ProgramLocaleFiles(&dialog));
}

WidgetDialogs::WidgetDialogs(QString applicationTitle) : m_title(std::move(applicationTitle)) {
}

void WidgetDialogs::message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, m_title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void WidgetDialogs::messageBox(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool WidgetDialogs::question(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Tak"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nie"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int WidgetDialogs::showModal(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window))
        return dialog->exec();
    // A window that is not a dialog: show it application-modal and wait until it is hidden.
    QPointer<QWidget> guard(window);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    QEventLoop loop;
    while (guard && guard->isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    if (guard)
        guard->setWindowModality(Qt::NonModal);
    return 0;
}

QString WidgetDialogs::askSaveFileName(const QString& caption, const QString& suggestedName,
                                       const QString& filter) {
    QFileDialog dialog(QApplication::activeWindow(), caption, suggestedName, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    useProgramLocale(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString WidgetDialogs::askOpenFileName(const QString& caption, const QString& folder, const QString& filter) {
    QFileDialog dialog(QApplication::activeWindow(), caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    useProgramLocale(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace tarlok
