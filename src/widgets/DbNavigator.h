#pragma once

#include "DataLink.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

class QShortcut;
class QToolButton;

namespace tarlok {

// A bar of ten buttons that move and edit a table: first, prior, next, last, insert, delete, edit,
// post, cancel, refresh. The buttons follow the table's state (post and cancel only while editing,
// first and prior not on the first row ...). Delete asks the window's confirmation first. While the bar is
// shown its window answers Insert with a new row and, while a row is being typed, Ctrl+S with its post
// and Escape with its cancel (otherwise Escape keeps its usual meaning: a dialog closes).
class DbNavigator : public QWidget, public DbControl {
    Q_OBJECT

public:
    enum class Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    static constexpr int kButtonCount = 10;

    explicit DbNavigator(QWidget* parent = nullptr);

    void setDataSource(Table* table);
    Table* dataSource() const { return m_link.table(); }

    // Tool tips (and status tips) of the buttons, in button order.
    void setHints(const QStringList& hints);
    // Asked before a delete; false keeps the row. Without it a delete is not confirmed.
    void setConfirmDelete(std::function<bool()> confirm) { m_confirmDelete = std::move(confirm); }

    QToolButton* button(Button which) const { return m_buttons[size_t(which)]; }
    // Does what a click on the button does (errors go to the error handler).
    void click(Button which);

signals:
    // The button's action ran (whether or not the table refused it).
    void buttonClicked(tarlok::DbNavigator::Button which);

private:
    void run(Button which);
    void updateButtons();

    DataLink m_link;
    std::array<QToolButton*, kButtonCount> m_buttons{};
    std::function<bool()> m_confirmDelete;
    QShortcut* m_insertKey = nullptr;
    QShortcut* m_postKey = nullptr;
    QShortcut* m_cancelKey = nullptr;
};

} // namespace tarlok
