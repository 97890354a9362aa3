#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QComboBox;

namespace tarlok {

// The year box and the month box of a window that shows one period (a year, and a month or "Wszystko").
// What is typed into them is a choice from their lists, never a new entry. Enter alone never changes a
// box: the box's own completion would otherwise take the first item of its list ("Wszystko", or the
// first year) when the whole text is selected, as Tab leaves it. A year or a month typed and left is
// reported when it differs from the one shown. The period shown is remembered, so that a refused change
// can put it back.
class PeriodBoxes : public QObject {
    Q_OBJECT

public:
    PeriodBoxes(QComboBox& yearBox, QComboBox& monthBox, QObject* parent);

    // What a window says when the year box holds no year it can take.
    static inline const QString kInvalidYear = QStringLiteral("Nieprawidłowa wartość roku");

    QComboBox& yearBox() const { return m_year; }
    QComboBox& monthBox() const { return m_month; }

    // The month of the month box: 1..12 for a month name, 0 for "Wszystko", none for any other text.
    std::optional<int> month() const;

    // The texts the boxes show become the period shown; each list's current item follows its text.
    void remember();
    // The period shown put back into the boxes, without a signal.
    void restore();
    const QString& shownYear() const { return m_shownYear; }
    const QString& shownMonth() const { return m_shownMonth; }

    // A text given to a box by the program, without a signal.
    void setYearText(const QString& text);
    void setMonthText(const QString& text);
    // The month list becomes its first item ("Wszystko") and `names`; the text shown stays. No signal.
    void setMonthNames(const QStringList& names);

signals:
    // A text typed into the box and left (Enter, Tab, a click elsewhere) that is not the one shown.
    void yearTyped();
    void monthTyped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox& m_year;
    QComboBox& m_month;
    QString m_shownYear;
    QString m_shownMonth;
};

} // namespace tarlok
