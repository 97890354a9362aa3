#pragma once

#include "DataLink.h"

#include <QCheckBox>

namespace tarlok {

// A check box bound to a field. A click by the user puts the table into edit and writes the ticked or
// unticked value at once; an empty field shows unticked.
class DbCheckBox : public QCheckBox, public DbControl {
    Q_OBJECT

public:
    explicit DbCheckBox(QWidget* parent = nullptr);
    explicit DbCheckBox(const QString& text, QWidget* parent = nullptr);

    void setDataSource(Table* table, const QString& field);
    Table* dataSource() const { return m_link.table(); }
    QString dataField() const { return m_link.field(); }

    // The stored values of the two states (true and false unless set). A field holding neither shows
    // unticked.
    void setValues(const QVariant& ticked, const QVariant& unticked);
    const QVariant& tickedValue() const { return m_ticked; }
    const QVariant& untickedValue() const { return m_unticked; }

    // A read-only box ignores clicks and keys.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

signals:
    // The user ticked or unticked the box.
    void changed();

protected:
    void nextCheckState() override;

private:
    void load();
    void userClicked();
    bool isTicked(const QVariant& value) const;

    DataLink m_link;
    QVariant m_ticked = true;
    QVariant m_unticked = false;
    bool m_readOnly = false;
};

} // namespace tarlok
