#pragma once

#include <QObject>
#include <QString>

class QColor;

namespace tarlok {

class DeadlinesForm;

// The service alarm of the deadlines window: the odometer readings of the current vehicle (after the
// last service, now, at the next service), how many kilometres before and after the service it warns,
// the alarm in yellow or red with the kilometres left, and the hand-over of the vehicle to the service.
class ServicePanel : public QObject {
    Q_OBJECT

public:
    explicit ServicePanel(DeadlinesForm& form);
    ~ServicePanel() override;
    // The handlers connected, once the window's controls are all set up.
    void connectHandlers();

    // The readings of the current vehicle, and the kilometre spins of the row (or of the vehicle).
    void serviceReadings();
    // The alarm shown or hidden for the readings shown.
    void serviceCheck();
    void showAlarm(bool shown, const QColor& colour);
    // The service settings shown written to the current row (being saved).
    void writeServiceFields();
    // On leaving: every row of the vehicle in view keeps the service settings shown.
    void writeBackServiceFields();

public slots:
    void PrzekazAutoSerwisClick();
    void SpinEditPrzedSerwisemChange();
    void SpinEditPoSerwisieChange();

private:
    void setupControls();
    void kmSpinChanged(const QString& field, int value);

    DeadlinesForm& m_form;
};

} // namespace tarlok
