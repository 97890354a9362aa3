#pragma once

#include "common/Error.h"
#include "store/EngineError.h"
#include "store/Table.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <exception>
#include <functional>

class QFocusEvent;
class QFocusEvent;
class QWidget;

namespace tarlok {

class DataLink;

using ErrorHandler = std::function<void(const Error&)>;

// The text a control shows for a value of `field`: numbers in the general format of the locale or in
// `displayPattern` ("0.00"), integers in decimal, dates in the short date format, logicals as
// "True"/"False"; an empty value shows as an empty text.
QString fieldText(const FieldDef& field, const QVariant& value, const QString& displayPattern = QString());

// The value of a text typed for `field`: alpha and memo as text, integers, numbers and dates read in
// the locale. An empty text is an empty value. Throws ConversionError quoting the text.
QVariant fieldValue(const FieldDef& field, const QString& text);

// What every data-aware control shares: the window's error handler. A control runs what the user
// started (an edit, a write, a move) through guarded(), so no exception reaches Qt's event loop.
class DbControl {
public:
    virtual ~DbControl() = default;

    void setErrorHandler(ErrorHandler handler) { m_errorHandler = std::move(handler); }
    const ErrorHandler& errorHandler() const { return m_errorHandler; }

    // Passes the error to the window's handler, or logs it when the window has set none.
    void reportError(const Error& error) const;

    // Runs `action`; an Error goes to the handler, an Abort stops quietly. False when it failed.
    template <class Action> bool guarded(Action&& action) const {
        try {
            action();
            return true;
        } catch (const Error& error) {
            reportError(error);
        } catch (const Abort&) {
        } catch (const std::exception& error) {
            reportError(Error(QString::fromLocal8Bit(error.what())));
        }
        return false;
    }

protected:
    // The user began changing the control's value: the table goes into edit (an unbound control has
    // nothing to edit). False, with the stored value shown again, when the table refuses.
    bool beginUserChange(DataLink& link) const;
    // Focus left the control: when the user moved it (not a popup or another window), what was typed
    // goes into the record; true then.
    bool leftByUser(DataLink& link, const QFocusEvent* event) const;

private:
    ErrorHandler m_errorHandler;
};

// True when focus came or went because the user moved within the window, not because a popup opened
// or another window became active (a message box must not make a box write its text).
bool focusMovedByUser(const QFocusEvent* event);

// Sets the error handler of every data-aware control under `window` (the window included).
void setErrorHandlerForChildren(QWidget* window, ErrorHandler handler);

// The link of one control to a table and one of its fields. It follows the table's notifications,
// registers the control's record writer, and remembers whether the control holds a value the user
// typed but that is not yet in the record: such a value is not replaced by a repaint while the table
// is editing, and is written through `store` when the table posts or the control asks for it.
class DataLink : public QObject {
public:
    // What the table notified: opened or closed, its state, its rows, the cursor, the current record,
    // one row.
    enum class Change { Active, State, View, Scroll, Current, Row };

    DataLink() = default;
    ~DataLink() override;
    DataLink(const DataLink&) = delete;
    DataLink& operator=(const DataLink&) = delete;

    // Binds to `table` and `field` (nullptr unbinds) and shows the current value.
    void bind(Table* table, const QString& field = QString());
    Table* table() const { return m_table; }
    const QString& field() const { return m_field; }

    bool isActive() const { return m_table && m_table->isActive(); }
    bool isEditing() const { return isActive() && m_table->isEditing(); }
    // The field's index in the open table; -1 when unbound, closed or without such a field.
    int fieldIndex() const;
    const FieldDef* fieldDef() const;
    // The field's value in the current record; empty when it cannot be read.
    QVariant value() const;

    bool isModified() const { return m_modified; }
    // Marks the control as holding a value not yet in the record. Should code set the field meanwhile,
    // the field's new value replaces what was typed.
    void setModified(bool modified);

    // Puts the table into edit for a change the user has begun, keeping what the control shows meanwhile
    // (on an empty table the engine starts an insert). False when not bound to an open table.
    // Throws the engine's errors.
    bool startEdit();
    // Writes a modified value through `store`; nothing when unmodified or when the table is not
    // editing. A failure leaves the value modified and throws.
    void write();
    // The write of a control the user leaves: a text of the wrong kind stays in the box, pending, and
    // is reported once, by the post that needs it (or by Enter); other errors throw.
    void writeOnLeave();
    // Writes `text` into the field, converted by the field's type. Throws.
    void writeText(const QString& text);
    // Writes `value` into the field. Throws.
    void writeValue(const QVariant& value);
    // Drops what was typed and shows the stored value.
    void reload();

    // Shows the current value (an unbound control or a closed table shows nothing).
    std::function<void()> load;
    // Puts the control's value into the record (through writeText or writeValue).
    std::function<void()> store;
    // Called on every notification of the table, before `load`.
    std::function<void(Change change, int row)> onChange;

private:
    void notify(Change change, int row = -1);

    QPointer<Table> m_table;
    QString m_field;
    QList<QMetaObject::Connection> m_connections;
    int m_writerId = 0;
    bool m_modified = false;
    QVariant m_valueUnderText; // the field's value when the control's own value began
    bool m_starting = false;
};

} // namespace tarlok
