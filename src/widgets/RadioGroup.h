#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace tarlok {

// A framed group of radio buttons with one chosen item, laid out in columns. Code sets the chosen item
// without emitting clicked(); a click of the user emits it.
//
// At the keyboard the group is one stop of Tab, where a window's Tab order puts the group: Tab comes to
// the chosen item, the arrows choose another (as a click does) and Tab goes on from the group.
class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int columns READ columns WRITE setColumns)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)

public:
    explicit RadioGroup(QWidget* parent = nullptr);

    QStringList items() const { return m_items; }
    void setItems(const QStringList& items);
    int columns() const { return m_columns; }
    void setColumns(int columns);

    // The chosen item, -1 for none.
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* button(int index) const;

signals:
    // The user chose an item.
    void clicked();

protected:
    void focusInEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuild();
    // The arrow keys on an item: the next or the previous item is chosen.
    void step(int by);

    QStringList m_items;
    int m_columns = 1;
    QButtonGroup* m_group;
    QGridLayout* m_layout;
    QList<QRadioButton*> m_buttons;
    int m_wanted = -1;        // the chosen item, kept while the items are not there yet
    bool m_passingOn = false; // Tab leaves from the group's own place in the window's order
};

} // namespace tarlok
