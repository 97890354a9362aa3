#pragma once

#include "common/Error.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/TableDef.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace tarlok::test {

// One row of the test table; an invalid QVariant leaves the field empty.
struct Row {
    QVariant ilosc;
    QVariant kwota;
    QVariant nazwa;
    QVariant uzywany;
    QVariant data;
    QVariant opis;
};

// A table "Proba" of every field type the controls convert, in a temporary folder.
class TestTable {
public:
    TestTable() : m_database(m_dir.path()) {
        TableDef def;
        def.name = QStringLiteral("Proba");
        def.fields = {
            {QStringLiteral("NrKol"), FieldType::AutoInc},   {QStringLiteral("Ilosc"), FieldType::Integer},
            {QStringLiteral("Kwota"), FieldType::Number},    {QStringLiteral("Nazwa"), FieldType::Alpha, 10},
            {QStringLiteral("Uzywany"), FieldType::Logical}, {QStringLiteral("Data"), FieldType::Date},
            {QStringLiteral("Opis"), FieldType::Memo},
        };
        m_database.createTable(m_dir.path(), def);
        table = open();
    }

    std::unique_ptr<Table> open(bool active = true) {
        auto t = std::make_unique<Table>(m_database);
        t->setDatabaseName(m_dir.path());
        t->setTableName(QStringLiteral("Proba"));
        if (active)
            t->open();
        return t;
    }

    void add(const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            table->append();
            table->setValue(QStringLiteral("Ilosc"), row.ilosc);
            table->setValue(QStringLiteral("Kwota"), row.kwota);
            table->setValue(QStringLiteral("Nazwa"), row.nazwa);
            table->setValue(QStringLiteral("Uzywany"), row.uzywany);
            table->setValue(QStringLiteral("Data"), row.data);
            table->setValue(QStringLiteral("Opis"), row.opis);
            table->post();
        }
        table->first();
    }

    // The value stored in the file for the row at `row`, read through a table of its own.
    QVariant stored(int row, const QString& field) {
        auto reader = open();
        reader->moveTo(row);
        return reader->value(field);
    }

    Database& database() { return m_database; }

private:
    QTemporaryDir m_dir;
    Database m_database;

public:
    std::unique_ptr<Table> table;
};

// Records what reaches a window's error handler.
struct ErrorLog {
    QStringList texts;
    int conversions = 0;
    int pendingRows = 0;
    std::function<void(const Error&)> handler() {
        return [this](const Error& error) {
            texts.append(error.text());
            if (dynamic_cast<const ConversionError*>(&error))
                ++conversions;
            if (dynamic_cast<const PendingRowError*>(&error))
                ++pendingRows;
        };
    }
};

// Shows `window` and makes it the active window, so that focus moves as a user's would.
inline bool showActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

} // namespace tarlok::test
