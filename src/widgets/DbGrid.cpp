#include "DbGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QtDebug>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tarlok {

namespace {

struct GridColumn {
    QString field;
    QString title;
    Qt::Alignment alignment;
    bool readOnly = false;
    QString pattern;
    QColor background;
    int index = -1; // the field's index in the open table
};

bool isNumeric(FieldType type) {
    return type == FieldType::AutoInc || type == FieldType::Integer || type == FieldType::Short ||
           type == FieldType::Number;
}

} // namespace

// ---------------------------------------------------------------- model

// Reads the cells from the table's display rows. The row count is taken at each reset, so the view and
// the model agree even while the table's notifications are suspended; the values of one row are kept
// while the view paints that row's cells.
class DbGridModel : public QAbstractTableModel {
public:
    explicit DbGridModel(DbGrid* grid) : QAbstractTableModel(grid), m_grid(grid) {}

    std::vector<GridColumn> columns;
    QFont titleFont;
    bool hasTitleFont = false;
    QColor titleColor;

    void detach() { m_grid = nullptr; }

    Table* table() const {
        if (!m_grid)
            return nullptr;
        Table* t = m_grid->m_link.table();
        return t && t->isActive() ? t : nullptr;
    }

    void reset() {
        beginResetModel();
        resolve();
        Table* t = table();
        m_rows = t ? t->displayRowCount() : 0;
        invalidate();
        endResetModel();
    }

    void resolve() {
        Table* t = table();
        for (GridColumn& column : columns)
            column.index = t ? t->fieldIndex(column.field) : -1;
    }

    void invalidate() const { m_cachedRow = -1; }

    void rowChanged(int row) {
        invalidate();
        if (row >= 0 && row < m_rows && !columns.empty())
            emit dataChanged(index(row, 0), index(row, int(columns.size()) - 1));
    }

    void addColumn(GridColumn column) {
        const int at = int(columns.size());
        beginInsertColumns(QModelIndex(), at, at);
        Table* t = table();
        column.index = t ? t->fieldIndex(column.field) : -1;
        columns.push_back(std::move(column));
        endInsertColumns();
    }

    void clearColumns() {
        beginResetModel();
        columns.clear();
        invalidate();
        endResetModel();
    }

    void titlesChanged() {
        if (!columns.empty())
            emit headerDataChanged(Qt::Horizontal, 0, int(columns.size()) - 1);
    }

    int fieldIndexOf(int column) const {
        return column >= 0 && column < int(columns.size()) ? columns[size_t(column)].index : -1;
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_rows;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : int(columns.size());
    }

    // The text of a cell: the display pattern for showing, the plain value for editing.
    QString text(const QModelIndex& index, bool forEditing) const {
        Table* t = table();
        const GridColumn& column = columns[size_t(index.column())];
        if (!t || column.index < 0 || index.row() >= t->displayRowCount())
            return {};
        if (t->isPendingRow(index.row())) {
            const auto typed = m_grid->m_cellTexts.constFind(index.column());
            if (typed != m_grid->m_cellTexts.constEnd())
                return typed.value();
        }
        if (index.row() != m_cachedRow) {
            m_cachedRecord = t->displayRecord(index.row());
            m_cachedRow = index.row();
        }
        return fieldText(t->fieldDef(column.index), m_cachedRecord.value(column.index),
                         forEditing ? QString() : column.pattern);
    }

    Qt::Alignment alignment(const GridColumn& column) const {
        Qt::Alignment result = column.alignment;
        if (!(result & Qt::AlignHorizontal_Mask)) {
            Table* t = table();
            const bool number = t && column.index >= 0 && isNumeric(t->fieldDef(column.index).type);
            result |= number ? Qt::AlignRight : Qt::AlignLeft;
        }
        if (!(result & Qt::AlignVertical_Mask))
            result |= Qt::AlignVCenter;
        return result;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.column() >= int(columns.size()))
            return {};
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            try {
                return text(index, role == Qt::EditRole);
            } catch (const Error& error) {
                // A row that cannot be read shows empty; painting must not stop on it.
                qWarning("%s", qUtf8Printable(error.text()));
                return {};
            }
        case Qt::TextAlignmentRole:
            return int(alignment(columns[size_t(index.column())]));
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid())
            return Qt::NoItemFlags; // the root of a table model is no cell
        Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!index.isValid() || !m_grid || !m_grid->m_inPlaceEditing)
            return result;
        const GridColumn& column = columns[size_t(index.column())];
        Table* t = table();
        if (t && t->isBrowseOnly())
            return result;
        if (t && !column.readOnly && column.index >= 0 && !t->isCalculated(column.index) &&
            t->fieldDef(column.index).type != FieldType::AutoInc)
            result |= Qt::ItemIsEditable;
        return result;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= int(columns.size()))
            return QAbstractTableModel::headerData(section, orientation, role);
        switch (role) {
        case Qt::DisplayRole:
            return columns[size_t(section)].title;
        case Qt::FontRole:
            return hasTitleFont ? QVariant(titleFont) : QVariant();
        case Qt::ForegroundRole:
            return titleColor.isValid() ? QVariant(titleColor) : QVariant();
        default:
            return {};
        }
    }

private:
    DbGrid* m_grid;
    int m_rows = 0;
    mutable int m_cachedRow = -1;
    mutable Record m_cachedRecord;
};

// ---------------------------------------------------------------- delegate

// Paints a cell in the colours the window decides and edits it with a line edit.
class DbGridDelegate : public QStyledItemDelegate {
public:
    explicit DbGridDelegate(DbGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void detach() { m_grid = nullptr; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const bool selected = opt.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (opt.state & QStyle::State_Active) ? QPalette::Active
                                                                                : QPalette::Inactive;
        QColor text = opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
        QColor background = opt.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        if (m_grid) {
            const auto& columns = m_grid->m_model->columns;
            if (!selected && index.column() < int(columns.size()) &&
                columns[size_t(index.column())].background.isValid())
                background = columns[size_t(index.column())].background;
            if (m_grid->m_cellColors) {
                try {
                    m_grid->m_cellColors(index.row(), index.column(), selected, text, background);
                } catch (const std::exception& error) {
                    // Reported once per paint at most, never as a message: painting goes on.
                    qWarning("%s", error.what());
                }
            }
        }
        painter->fillRect(opt.rect, background);
        opt.state &= ~QStyle::State_Selected;
        opt.backgroundBrush = Qt::NoBrush;
        opt.palette.setColor(QPalette::Text, text);
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        if (m_grid) {
            const int field = m_grid->m_model->fieldIndexOf(index.column());
            Table* table = m_grid->m_model->table();
            if (table && field >= 0) {
                const FieldDef& def = table->fieldDef(field);
                if (def.type == FieldType::Alpha && def.size > 0)
                    editor->setMaxLength(def.size);
            }
            m_grid->editorCreated(editor, index.row(), index.column());
        }
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (m_grid && editor == m_grid->m_editor && m_grid->m_editorModified)
            return; // keeps what the user is typing
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setText(index.data(Qt::EditRole).toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override {
        if (m_grid)
            m_grid->commitEditor(editor);
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (m_grid && editor == m_grid->m_editor) {
            m_grid->m_editor = nullptr;
            m_grid->m_editorModified = false;
        }
        QStyledItemDelegate::destroyEditor(editor, index);
    }

private:
    DbGrid* m_grid;
};

// ---------------------------------------------------------------- grid

DbGrid::DbGrid(QWidget* parent) : QTableView(parent) {
    m_model = new DbGridModel(this);
    m_delegate = new DbGridDelegate(this);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    // One stop of Tab: the arrows move between cells and rows.
    setTabKeyNavigation(false);
    // Fixed row heights: nothing is measured per row, however many rows the table has.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);

    m_link.onChange = [this](DataLink::Change change, int row) {
        tableChanged(change, row);
    };
    m_link.store = [this] {
        writeCells();
    };
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit cellClick(index.row(), index.column()); });
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this,
                                [this](QWidget*, QWidget* now) { focusChanged(now); });
}

DbGrid::~DbGrid() {
    disconnect(m_focusConnection);
    m_link.onChange = nullptr;
    m_delegate->detach();
    m_model->detach();
}

void DbGrid::setDataSource(Table* table) {
    dropPendingCells();
    m_link.bind(table);
}

int DbGrid::addColumn(const QString& field, const QString& title, int width, Qt::Alignment alignment,
                      bool readOnly, const QString& displayPattern) {
    GridColumn column;
    column.field = field;
    column.title = title;
    column.alignment = alignment;
    column.readOnly = readOnly;
    column.pattern = displayPattern;
    m_model->addColumn(std::move(column));
    const int index = int(m_model->columns.size()) - 1;
    if (width > 0)
        setColumnWidth(index, width);
    fitColumnsToHeadings(this);
    if (index == 0)
        followTable();
    return index;
}

void DbGrid::clearColumns() {
    m_model->clearColumns();
    followTable();
}

int DbGrid::columnCount() const {
    return int(m_model->columns.size());
}

QString DbGrid::columnField(int column) const {
    return column >= 0 && column < columnCount() ? m_model->columns[size_t(column)].field : QString();
}

void DbGrid::setColumnField(int column, const QString& field) {
    if (column < 0 || column >= columnCount())
        return;
    m_model->columns[size_t(column)].field = field;
    m_model->reset();
    followTable();
}

void DbGrid::setColumnBackground(int column, const QColor& color) {
    if (column < 0 || column >= columnCount())
        return;
    m_model->columns[size_t(column)].background = color;
    viewport()->update();
}

void DbGrid::setTitleFont(const QFont& font) {
    m_model->titleFont = font;
    m_model->hasTitleFont = true;
    m_model->titlesChanged();
    fitColumnsToHeadings(this);
}

void DbGrid::setTitleColor(const QColor& color) {
    m_model->titleColor = color;
    m_model->titlesChanged();
}

void DbGrid::setRowSelect(bool on) {
    m_rowSelect = on;
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    followTable();
}

void DbGrid::setInPlaceEditing(bool on) {
    m_inPlaceEditing = on;
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked
                       : QAbstractItemView::NoEditTriggers);
    if (!on && m_editor)
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
}

// ---------------------------------------------------------------- following the table

void DbGrid::tableChanged(DataLink::Change change, int row) {
    Table* table = m_link.table();
    const bool editing = table && table->isActive() && table->isEditing();
    if (!editing)
        dropPendingCells();
    switch (change) {
    case DataLink::Change::Active:
    case DataLink::Change::View:
        m_model->reset();
        followTable();
        break;
    case DataLink::Change::Scroll:
        followTable();
        break;
    case DataLink::Change::Current:
        m_model->rowChanged(table && table->isActive() ? table->recNo() : -1);
        break;
    case DataLink::Change::Row:
        m_model->rowChanged(row);
        break;
    case DataLink::Change::State:
        if (!editing && m_editor)
            closeEditor(m_editor, QAbstractItemDelegate::NoHint); // a cancel drops what was typed
        m_model->rowChanged(table && table->isActive() ? table->recNo() : -1);
        break;
    }
}

void DbGrid::followTable() {
    QItemSelectionModel* selection = selectionModel();
    if (!selection)
        return;
    Table* table = m_link.table();
    const int row = table && table->isActive() ? table->recNo() : -1;
    if (m_editor && m_editorRow != row)
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
    const bool following = m_following;
    m_following = true;
    if (row < 0 || row >= m_model->rowCount() || m_model->columnCount() == 0) {
        selection->clear();
    } else {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        const QModelIndex index = m_model->index(row, column);
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
        if (m_rowSelect)
            flags |= QItemSelectionModel::Rows;
        selection->setCurrentIndex(index, flags);
        scrollTo(index);
    }
    m_following = following;
}

template <class Move> void DbGrid::moveTable(Move&& move) {
    if (!guarded(std::forward<Move>(move)))
        followTable(); // refused: the grid stays on the table's row
}

void DbGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (previous.isValid() && current.isValid() && previous.column() != current.column())
        emit colExit(previous.column());
    if (m_following || !current.isValid())
        return;
    Table* table = m_link.table();
    if (!table || !table->isActive() || current.row() == table->recNo())
        return;
    const int row = current.row();
    moveTable([table, row] { table->moveTo(row); });
    if (table->isActive() && table->recNo() != row)
        followTable(); // the stored row took another place
}

void DbGrid::keyPressEvent(QKeyEvent* event) {
    emit keyDown(event->key());
    if (!event->text().isEmpty())
        emit keyPress(event->text());
    Table* table = m_link.table();
    if (table && table->isActive() && state() != QAbstractItemView::EditingState) {
        const int rowHeight = verticalHeader()->defaultSectionSize();
        const int page = std::max(1, viewport()->height() / std::max(1, rowHeight) - 1);
        const int last = table->displayRowCount() - 1;
        switch (event->key()) {
        case Qt::Key_Up:
            moveTable([table] { table->prior(); });
            event->accept();
            return;
        case Qt::Key_Down:
            moveTable([table] { table->next(); });
            event->accept();
            return;
        case Qt::Key_PageUp:
            moveTable([table, page] { table->moveTo(std::max(0, table->recNo() - page)); });
            event->accept();
            return;
        case Qt::Key_PageDown:
            moveTable([table, page, last] { table->moveTo(std::min(last, table->recNo() + page)); });
            event->accept();
            return;
        case Qt::Key_Home:
            moveTable([table] { table->first(); });
            event->accept();
            return;
        case Qt::Key_End:
            moveTable([table] { table->last(); });
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (event->modifiers() & ~Qt::KeypadModifier)
                break;
            emit rowChosen();
            break; // goes on to the window, which keeps it from its buttons
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void DbGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const int column = currentIndex().column();
    const bool leaves = (hint == QAbstractItemDelegate::EditNextItem && column >= columnCount() - 1) ||
                        (hint == QAbstractItemDelegate::EditPreviousItem && column <= 0);
    if (!leaves) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    QTableView::closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
    focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
}

void DbGrid::keyReleaseEvent(QKeyEvent* event) {
    emit keyUp(event->key());
    QTableView::keyReleaseEvent(event);
}

void DbGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    Table* table = m_link.table();
    if (index.isValid() && table && table->isActive() && index.row() != table->recNo()) {
        const int row = index.row();
        bool moved = false;
        moveTable([&] {
            table->moveTo(row);
            moved = true;
        });
        // Refused, or the stored row took another place: the grid already shows the table's row.
        if (!moved || table->recNo() != row) {
            event->accept();
            return;
        }
    }
    QTableView::mousePressEvent(event);
}

void DbGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    emit dblClick();
}

void DbGrid::focusChanged(QWidget* now) {
    // Focus leaving for another window (a message box) or nowhere is not leaving the grid.
    if (!now || now->window() != window())
        return;
    const bool within = now == this || isAncestorOf(now);
    if (within == m_focusWithin)
        return;
    m_focusWithin = within;
    if (within)
        emit enter();
    else
        emit exit();
}

// ---------------------------------------------------------------- cell editing

void DbGrid::editorCreated(QLineEdit* editor, int row, int column) {
    m_editor = editor;
    m_editorRow = row;
    m_editorColumn = column;
    m_editorModified = false;
    connect(editor, &QLineEdit::textEdited, this, &DbGrid::editorTextEdited);
}

void DbGrid::editorTextEdited() {
    if (!m_editor || sender() != m_editor)
        return;
    // Set first, so that the repaint of the row entering edit keeps the typed text in the editor.
    m_editorModified = true;
    const bool ok = guarded([this] {
        if (m_link.startEdit())
            m_link.setModified(true);
    });
    if (!ok && m_editor) {
        m_editorModified = false;
        m_editor->setText(m_model->index(m_editorRow, m_editorColumn).data(Qt::EditRole).toString());
    }
}

void DbGrid::commitEditor(QWidget* editor) {
    if (editor != m_editor || !m_editorModified)
        return;
    Table* table = m_link.table();
    if (!table || !table->isActive() || !table->isEditing() || table->recNo() != m_editorRow) {
        m_editorModified = false;
        return;
    }
    m_link.setModified(true);
    guarded([this] { m_link.write(); });
    m_model->rowChanged(m_editorRow);
}

// The record writer: the open editor's text and the texts of committed cells go into the record.
void DbGrid::writeCells() {
    if (m_editor && m_editorModified) {
        m_cellTexts.insert(m_editorColumn, m_editor->text());
        m_editorModified = false;
    }
    Table* table = m_link.table();
    while (!m_cellTexts.isEmpty()) {
        const auto first = m_cellTexts.constBegin();
        const int column = first.key();
        const QString text = first.value();
        const int field = m_model->fieldIndexOf(column);
        if (field >= 0)
            table->setValue(field, fieldValue(table->fieldDef(field), text)); // throws, keeping the text
        m_cellTexts.remove(column);
    }
}

void DbGrid::dropPendingCells() {
    m_cellTexts.clear();
    m_editorModified = false;
}

// ---------------------------------------------------------------- headings

namespace {

// The width a header section needs for its title: the widest line in the title's font, within the
// header's margins. (The header's own size hint measures in bold, for highlighted sections, which the
// grids do not draw.)
int titleWidth(const QHeaderView* header, int section) {
    const QAbstractItemModel* model = header->model();
    const QVariant font = model->headerData(section, Qt::Horizontal, Qt::FontRole);
    const QFontMetricsF metrics(font.isValid() ? font.value<QFont>() : header->font());
    qreal widest = 0.0;
    for (const QString& line : model->headerData(section, Qt::Horizontal).toString().split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    return int(std::ceil(widest)) + 2 * margin;
}

} // namespace

void fitColumnsToHeadings(QTableView* view, int headingRows) {
    const QAbstractItemModel* model = view->model();
    if (!model)
        return;
    const QHeaderView* header = view->horizontalHeader();
    const int rows = std::min(headingRows, model->rowCount());
    // A cell is drawn beside the grid line, which takes a pixel of its column.
    const int line = view->showGrid() ? 1 : 0;
    for (int c = 0; c < model->columnCount(); ++c) {
        int needed = header->isHidden() ? 0 : titleWidth(header, c);
        for (int r = 0; r < rows; ++r)
            needed = std::max(needed, view->sizeHintForIndex(model->index(r, c)).width() + line);
        if (view->columnWidth(c) < needed)
            view->setColumnWidth(c, needed);
    }
}

} // namespace tarlok
