#include "PeriodBoxes.h"

#include "common/Months.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace tarlok {

namespace {

// The list's current item made the one whose text the box shows, so that leaving the box does not
// take the text for a new choice.
void followText(QComboBox& box) {
    const int index = box.findText(box.currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 || index == box.currentIndex())
        return;
    const QSignalBlocker block(&box);
    box.setCurrentIndex(index);
}

} // namespace

PeriodBoxes::PeriodBoxes(QComboBox& yearBox, QComboBox& monthBox, QObject* parent)
    : QObject(parent), m_year(yearBox), m_month(monthBox) {
    for (QComboBox* box : {&m_year, &m_month}) {
        box->setInsertPolicy(QComboBox::NoInsert);
        // A key reaches the line edit through the box (which has the focus) or straight.
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
    }
    connect(m_year.lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (m_year.currentText() != m_shownYear)
            emit yearTyped();
    });
    connect(m_month.lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (m_month.currentText() != m_shownMonth)
            emit monthTyped();
    });
}

bool PeriodBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* box = qobject_cast<QComboBox*>(watched);
        QLineEdit* edit = box ? box->lineEdit() : qobject_cast<QLineEdit*>(watched);
        // A selection from the start is no completion of something typed: the line edit would replace
        // the whole text by its completer's current completion, which before any typing is the first
        // item of the list. Without the selection Enter confirms the text as it stands.
        if (edit && (key == Qt::Key_Return || key == Qt::Key_Enter) && edit->hasSelectedText() &&
            edit->selectionStart() == 0)
            edit->deselect();
    }
    return QObject::eventFilter(watched, event);
}

std::optional<int> PeriodBoxes::month() const {
    const QString text = m_month.currentText();
    if (text == months::kAll)
        return 0;
    return months::number(text);
}

void PeriodBoxes::remember() {
    followText(m_year);
    followText(m_month);
    m_shownYear = m_year.currentText();
    m_shownMonth = m_month.currentText();
}

void PeriodBoxes::restore() {
    setYearText(m_shownYear);
    setMonthText(m_shownMonth);
}

void PeriodBoxes::setYearText(const QString& text) {
    const QSignalBlocker block(&m_year);
    m_year.setEditText(text);
    followText(m_year);
}

void PeriodBoxes::setMonthText(const QString& text) {
    const QSignalBlocker block(&m_month);
    m_month.setEditText(text);
    followText(m_month);
}

void PeriodBoxes::setMonthNames(const QStringList& names) {
    const QSignalBlocker block(&m_month);
    const QString shown = m_month.currentText();
    while (m_month.count() > 1)
        m_month.removeItem(1);
    m_month.addItems(names);
    m_month.setEditText(shown);
    followText(m_month);
}

} // namespace tarlok
