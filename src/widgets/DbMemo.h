#pragma once

#include "DataLink.h"

#include <QPlainTextEdit>

namespace tarlok {

// A multi-line text bound to a memo (or alpha) field; typing puts the table into edit and the text is
// written when the box loses focus and before every post or implicit store.
class DbMemo : public QPlainTextEdit, public DbControl {
    Q_OBJECT

public:
    explicit DbMemo(QWidget* parent = nullptr);

    void setDataSource(Table* table, const QString& field);
    Table* dataSource() const { return m_link.table(); }
    QString dataField() const { return m_link.field(); }

    QString text() const { return toPlainText(); }
    // Gives the memo a text by code: no edit is started and changed() is not emitted (see DbEdit).
    void setTextSilently(const QString& text);
    bool hasPendingText() const { return m_link.isModified(); }
    void updateRecord() { m_link.write(); }

    void setFlat(bool flat) { setFrameShape(flat ? QFrame::NoFrame : QFrame::StyledPanel); }
    bool isFlat() const { return frameShape() == QFrame::NoFrame; }

signals:
    void changed();
    void exited();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void load();
    void showText(const QString& text);
    void userEdited();

    DataLink m_link;
    bool m_showing = false;
};

} // namespace tarlok
