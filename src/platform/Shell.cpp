#include "Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace tarlok {

void DesktopShell::openWebPage(const QString& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void DesktopShell::writeMail(const QString& address) {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + address));
}

} // namespace tarlok
