#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QWidget;

namespace tarlok {

class DeadlinesForm;

// The editing buttons of the deadlines window ("Dodaj", "Edytuj", "Zapisz", "Anuluj", "Usuń") with the
// boxes they open: the tax year, the costs and the additional cost, and the instalment totals shown.
class EditingPanel : public QObject {
    Q_OBJECT

public:
    explicit EditingPanel(DeadlinesForm& form);
    ~EditingPanel() override;
    // The handlers connected, once the window's controls are all set up.
    void connectHandlers();

    // The row being entered or changed saved; false, with the user told why, when it was refused.
    bool save();
    // The year and additional-cost boxes read-only again.
    void closeEditBoxes();
    // The totals of the two instalments of OC and AC of the current row.
    void showTotals();

public slots:
    void DodajClick();
    void EdytujClick();
    void ZapiszClick();
    void AnulujClick();
    void UsunClick();
    void EditKosztDodatkowyChange();

private:
    void setupControls();
    void yearTyped();
    void writeTypedTexts();

    DeadlinesForm& m_form;
    QHash<const QWidget*, QString> m_boxNames; // the caption of each cost box, for messages
};

} // namespace tarlok
