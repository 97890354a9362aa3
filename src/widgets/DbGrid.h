#pragma once

#include "DataLink.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPointer>
#include <QTableView>

#include <functional>

class QLineEdit;

namespace tarlok {

class DbGridModel;
class DbGridDelegate;

// A grid over the rows of a table: one row per display row of the table (the row being inserted
// included), columns chosen by code. The row under the table's cursor is the grid's current row and
// follows every move; clicks and movement keys move the table. The model reads only the rows the view
// paints, so a grid over thousands of rows resets at once.
//
// With in-place editing on, typing into a cell puts the table into edit as typing into a box does, and
// the cell's text is written into the record when the cell is committed and before every post.
class DbGrid : public QTableView, public DbControl {
    Q_OBJECT

public:
    // Decides a cell's colours: `text` and `background` come in with the grid's colours for the cell
    // and may be changed. The row's values are those of table->displayRecord(row).
    using CellColors =
        std::function<void(int row, int column, bool selected, QColor& text, QColor& background)>;

    explicit DbGrid(QWidget* parent = nullptr);
    ~DbGrid() override;

    void setDataSource(Table* table);
    Table* dataSource() const { return m_link.table(); }

    // Adds a column showing `field` (a stored or calculated field) and returns its index. An empty
    // `alignment` aligns numbers right and everything else left.
    int addColumn(const QString& field, const QString& title, int width, Qt::Alignment alignment,
                  bool readOnly = false, const QString& displayPattern = QString());
    void clearColumns();
    int columnCount() const;
    QString columnField(int column) const;
    // Binds an existing column to another field.
    void setColumnField(int column, const QString& field);
    // A fixed background for a column (a shaded "Nr" column); an invalid colour removes it.
    void setColumnBackground(int column, const QColor& color);

    void setCellColors(CellColors handler) { m_cellColors = std::move(handler); }
    const CellColors& cellColors() const { return m_cellColors; }
    void setTitleFont(const QFont& font);
    void setTitleColor(const QColor& color);

    // Whole-row selection (else the current cell).
    void setRowSelect(bool on);
    bool rowSelect() const { return m_rowSelect; }

    void setInPlaceEditing(bool on);
    bool inPlaceEditing() const { return m_inPlaceEditing; }

signals:
    void cellClick(int row, int column);
    void dblClick();
    // Enter on a row (not in a cell being edited): the user takes the row, as a double click does.
    void rowChosen();
    void keyDown(int key);
    void keyUp(int key);
    void keyPress(const QString& text);
    // Focus came into the grid (or its cell editor) / left it.
    void enter();
    void exit();
    // The current column changed away from `column`.
    void colExit(int column);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    // Tab in a cell being edited goes to the next cell of the row; from the last cell (Shift+Tab: the
    // first) it leaves the grid, so a row can be typed cell by cell and Tab never stays in the grid.
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend class DbGridModel;
    friend class DbGridDelegate;

    void tableChanged(DataLink::Change change, int row);
    // Puts the current index on the table's row.
    void followTable();
    // Moves the table by `move`; a refused move leaves the grid on the table's row.
    template <class Move> void moveTable(Move&& move);
    void focusChanged(QWidget* now);

    // Cell editing.
    void editorCreated(QLineEdit* editor, int row, int column);
    void editorTextEdited();
    void commitEditor(QWidget* editor);
    void writeCells();
    void dropPendingCells();

    DataLink m_link;
    DbGridModel* m_model = nullptr;
    DbGridDelegate* m_delegate = nullptr;
    CellColors m_cellColors;
    bool m_rowSelect = false;
    bool m_inPlaceEditing = false;
    bool m_following = false;
    bool m_focusWithin = false;
    QMetaObject::Connection m_focusConnection;

    QPointer<QLineEdit> m_editor;
    int m_editorRow = -1;
    int m_editorColumn = -1;
    bool m_editorModified = false;
    // Texts typed into cells of the pending row and not yet written (a refused text stays shown).
    QHash<int, QString> m_cellTexts;
};

// Widens every column of `view` that would cut its heading: the title of its header section (when the
// header shows) and the texts of its first `headingRows` rows (a grid that draws its headings in
// cells), each measured as the view draws it, in its own font and with the style's margins. A column
// wide enough keeps its width, so the widths a window gives stay wherever they suffice. DbGrid applies
// it to its own titles.
void fitColumnsToHeadings(QTableView* view, int headingRows = 0);

} // namespace tarlok
