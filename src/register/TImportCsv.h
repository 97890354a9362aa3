#pragma once

#include "RegisterImport.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

namespace Ui {
class TImportCsv;
}

namespace tarlok {

class Forms;

// "Import z pliku CSV" of the trips and the costs tab: asks for the file, shows every line with its
// result (the reason of each refused line, a tick for each duplicate of a stored row) and on
// "Importuj" stores the lines ticked all together, recomputes the months and years they touch and,
// for trips, the vehicles' odometers. Modal.
class TImportCsv : public QDialog {
    Q_OBJECT

public:
    explicit TImportCsv(Forms& forms);
    ~TImportCsv() override;

    Ui::TImportCsv* ui() const { return m_ui.get(); }
    const registerimport::Preview& preview() const { return m_preview; }

    // The tab's button: file, preview, and the import when the user asks for it.
    void importFile(registerimport::What what);

    // Told of each row written while the import stores (the rows are committed together at the end).
    std::function<void(int)> onRowStored;

public slots:
    void ImportujClick();
    void AnulujClick();

private:
    void readFile(registerimport::What what);
    void showPreview(const QString& fileName);
    // After the store: the odometers, the register's rows and sums, and the message.
    void showStored(const std::set<std::pair<qint64, int>>& touched);

    Forms& m_forms;
    std::unique_ptr<Ui::TImportCsv> m_ui;
    registerimport::Known m_known;
    registerimport::Preview m_preview;
};

} // namespace tarlok
