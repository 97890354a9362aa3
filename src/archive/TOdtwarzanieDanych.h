#pragma once

#include "ArchiveWindow.h"

#include <QFileInfoList>
#include <memory>

namespace Ui {
class TOdtwarzanieDanych;
}

namespace tarlok {

// The restore window: brings the files of one archive folder back into the data folder, all of them
// or none. They are copied beside the data folder and checked first; only then are they swapped in,
// and the schema is brought in line with them before the tables open again.
class TOdtwarzanieDanych : public ArchiveWindow {
    Q_OBJECT

public:
    explicit TOdtwarzanieDanych(Forms& forms);
    ~TOdtwarzanieDanych() override;
    Ui::TOdtwarzanieDanych* ui() const { return m_ui.get(); }

    // What the main window's "&Odtwarzanie danych" does: the window shown modally.
    void openWindow();

public slots:
    void OdtworzClick();

protected:
    QString missingFolderMessage() const override;
    void showCopyLabels() override;

private:
    void restore();
    // Copies the archive folder's files into the staging folder and checks the tables there; false
    // when a file could not be copied whole or a table does not open as itself.
    bool stage(const QFileInfoList& files, const QString& staging, bool& shortWrite);

    std::unique_ptr<Ui::TOdtwarzanieDanych> m_ui;
};

} // namespace tarlok
