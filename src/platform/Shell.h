#pragma once

#include <QString>
#include <QStringList>

namespace tarlok {

// The desktop shell: the default browser and the default mail program.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void openWebPage(const QString& address) = 0;
    virtual void writeMail(const QString& address) = 0;
};

// Opens them through QDesktopServices.
class DesktopShell final : public Shell {
public:
    void openWebPage(const QString& address) override;
    void writeMail(const QString& address) override;
};

// Remembers what was asked, for tests.
class RecordingShell final : public Shell {
public:
    void openWebPage(const QString& address) override { pages.append(address); }
    void writeMail(const QString& address) override { mails.append(address); }
    QStringList pages;
    QStringList mails;
};

} // namespace tarlok
