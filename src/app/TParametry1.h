#pragma once

#include "store/Schema.h"

#include <QDialog>
#include <memory>

class QPushButton;

namespace Ui {
class TParametry1;
}

namespace tarlok {

class Forms;
class Table;

// The schema window: creates the tables a new data folder lacks, adds the later fields to the older
// ones, and records in the parameters table which of its actions have succeeded.
class TParametry1 : public QDialog {
    Q_OBJECT

public:
    explicit TParametry1(Forms& forms);
    ~TParametry1() override;

    Table* TableParametry;
    Table* TableKierowcy;
    Table* TableWlasciciel;
    Ui::TParametry1* ui() const { return m_ui.get(); }

    // Reads the eight schema states (the parameters table's flags and the deadlines file), stores
    // JestTabTerminy when the deadlines file exists, and shows this window's buttons and check boxes
    // by the result.
    void schemaCheck();
    // The actions start-up runs right after its schema check, by the decision table.
    void runStartupActions();

public slots:
    void UtworzTabliceParametryClick();
    void RozszerzTablicePrzejazdyClick();
    void RozszerzTabliceKosztyClick();
    void RozszerzTablicePojazdyClick();
    void UtworzTabliceKierowcyClick();
    void UtworzTabliceWlascicielClick();
    void RozszerzTabliceTerminyClick();
    void zamknijClick();

private:
    void applySchemaState();
    void bindCheckBoxes();
    void openParameters();
    void setFlags(std::initializer_list<QString> flags);
    void upgrade(schema::Upgrade upgrade, Table* registerTable, const QString& flag, bool& state,
                 const QString& confirmation, QPushButton* button);
    void createDriversOrOwner(bool drivers);

    Forms& m_forms;
    std::unique_ptr<Ui::TParametry1> m_ui;
};

} // namespace tarlok
