#include "DataLink.h"

#include "common/Numbers.h"

#include <QDateTime>
#include <QFocusEvent>
#include <QLocale>
#include <QWidget>
#include <QtDebug>

namespace tarlok {

namespace {

QDate dateOf(const QVariant& value) {
    return value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
}

QDateTime dateTimeOf(const QVariant& value) {
    return value.typeId() == QMetaType::QDate ? value.toDate().startOfDay() : value.toDateTime();
}

} // namespace

QString fieldText(const FieldDef& field, const QVariant& value, const QString& displayPattern) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (field.type) {
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::Short:
        if (!displayPattern.isEmpty())
            return numbers::pattern(double(value.toLongLong()), displayPattern);
        return numbers::integer(value.toLongLong());
    case FieldType::Number:
        if (!displayPattern.isEmpty())
            return numbers::pattern(value.toDouble(), displayPattern);
        return numbers::general(value.toDouble());
    case FieldType::Logical:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Date:
        return numbers::shortDate(dateOf(value));
    case FieldType::Timestamp: {
        const QDateTime at = dateTimeOf(value);
        if (at.time() == QTime(0, 0))
            return numbers::shortDate(at.date());
        return QLocale().toString(at, QLocale::ShortFormat); // read back by fieldValue
    }
    case FieldType::Alpha:
    case FieldType::Memo:
        return value.toString();
    }
    return value.toString();
}

QVariant fieldValue(const FieldDef& field, const QString& text) {
    if (field.type == FieldType::Alpha || field.type == FieldType::Memo)
        return text.isEmpty() ? QVariant() : QVariant(text);
    if (text.trimmed().isEmpty())
        return {};
    switch (field.type) {
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::Short:
        return QVariant(qlonglong(numbers::parseInteger(text)));
    case FieldType::Number:
        return numbers::parse(text);
    case FieldType::Date:
        return numbers::parseDate(text);
    case FieldType::Timestamp: {
        const QDateTime at = QLocale().toDateTime(text.trimmed(), QLocale::ShortFormat);
        if (at.isValid())
            return at;
        return numbers::parseDate(text).startOfDay();
    }
    case FieldType::Logical: {
        const QString word = text.trimmed().toLower();
        if (word == QLatin1String("true") || word == QLatin1String("tak") || word == QLatin1String("1"))
            return true;
        if (word == QLatin1String("false") || word == QLatin1String("nie") || word == QLatin1String("0"))
            return false;
        throw ConversionError(QStringLiteral("\"%1\" nie jest poprawną wartością logiczną.").arg(text));
    }
    case FieldType::Alpha:
    case FieldType::Memo:
        break;
    }
    return text;
}

// ---------------------------------------------------------------- DbControl

void DbControl::reportError(const Error& error) const {
    if (m_errorHandler)
        m_errorHandler(error);
    else
        qWarning("%s", qUtf8Printable(error.text()));
}

bool focusMovedByUser(const QFocusEvent* event) {
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

bool DbControl::beginUserChange(DataLink& link) const {
    if (!link.table())
        return true;
    const bool ok = guarded([&link] {
        if (link.startEdit())
            link.setModified(true);
    });
    if (!ok)
        link.reload();
    return ok;
}

bool DbControl::leftByUser(DataLink& link, const QFocusEvent* event) const {
    if (!focusMovedByUser(event))
        return false;
    guarded([&link] { link.writeOnLeave(); });
    return true;
}

void setErrorHandlerForChildren(QWidget* window, ErrorHandler handler) {
    if (!window)
        return;
    if (auto* control = dynamic_cast<DbControl*>(window))
        control->setErrorHandler(handler);
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (auto* control = dynamic_cast<DbControl*>(child))
            control->setErrorHandler(handler);
    }
}

// ---------------------------------------------------------------- DataLink

DataLink::~DataLink() {
    if (m_table && m_writerId != 0)
        m_table->removeRecordWriter(m_writerId);
}

void DataLink::bind(Table* table, const QString& field) {
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        QObject::disconnect(connection);
    m_connections.clear();
    if (m_table && m_writerId != 0)
        m_table->removeRecordWriter(m_writerId);
    m_writerId = 0;
    m_modified = false;
    m_table = table;
    m_field = field;
    if (table) {
        m_connections = {
            connect(table, &Table::activeChanged, this, [this] { notify(Change::Active); }),
            connect(table, &Table::stateChanged, this, [this] { notify(Change::State); }),
            connect(table, &Table::viewReset, this, [this] { notify(Change::View); }),
            connect(table, &Table::scrolled, this, [this] { notify(Change::Scroll); }),
            connect(table, &Table::recordChanged, this, [this] { notify(Change::Current); }),
            connect(table, &Table::rowUpdated, this, [this](int row) { notify(Change::Row, row); }),
        };
        m_writerId = table->addRecordWriter([this] { write(); }, [this] { return m_modified; });
    }
    notify(Change::Active);
}

int DataLink::fieldIndex() const {
    if (!isActive() || m_field.isEmpty())
        return -1;
    return m_table->fieldIndex(m_field);
}

const FieldDef* DataLink::fieldDef() const {
    const int index = fieldIndex();
    return index < 0 ? nullptr : &m_table->fieldDef(index);
}

QVariant DataLink::value() const {
    const int index = fieldIndex();
    return index < 0 ? QVariant() : m_table->value(index);
}

void DataLink::setModified(bool modified) {
    if (modified && !m_modified)
        m_valueUnderText = value();
    m_modified = modified;
}

void DataLink::notify(Change change, int row) {
    if (!isEditing())
        m_modified = false; // a typed value does not outlive its edit
    else if (m_modified && change == Change::Current && value() != m_valueUnderText)
        m_modified = false; // code set the field: its value replaces what was typed
    if (onChange)
        onChange(change, row);
    if (!load || change == Change::Row || m_starting)
        return;
    if (m_modified)
        return; // keeps what the user typed until it is written
    load();
}

bool DataLink::startEdit() {
    if (!isActive())
        return false;
    if (!m_table->isEditing()) {
        if (m_table->isBrowseOnly())
            throw EngineError(m_table->browseOnlyMessage());
        struct Starting {
            bool& flag;
            explicit Starting(bool& f) : flag(f) { flag = true; }
            ~Starting() { flag = false; }
        } starting(m_starting);
        m_table->edit();
    }
    return m_table && m_table->isEditing();
}

void DataLink::write() {
    if (!m_modified || !isEditing() || !store)
        return;
    // Cleared first, so that the table's notification of the new value shows it as stored.
    m_modified = false;
    try {
        store();
    } catch (...) {
        m_modified = true;
        throw;
    }
}

void DataLink::writeText(const QString& text) {
    const int index = fieldIndex();
    if (index < 0) {
        m_table->setValue(m_field, text); // an unknown field: the engine names it
        return;
    }
    m_table->setValue(index, fieldValue(m_table->fieldDef(index), text));
}

void DataLink::writeValue(const QVariant& value) {
    const int index = fieldIndex();
    if (index < 0)
        m_table->setValue(m_field, value);
    else
        m_table->setValue(index, value);
}

void DataLink::reload() {
    m_modified = false;
    if (load)
        load();
}

void DataLink::writeOnLeave() {
    try {
        write();
    } catch (const ConversionError&) {
    }
}

} // namespace tarlok
