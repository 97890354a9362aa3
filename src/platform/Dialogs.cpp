#include "Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace tarlok {

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

} // namespace tarlok
