// The service alarm of the deadlines window and the hand-over of the vehicle to the service.
#include "ServicePanel.h"

#include "DeadlinesForm.h"
#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/PendingEdits.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "store/Database.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TOpcjeDlaTerminow.h"

#include <limits>
#include <optional>

namespace tarlok {

using namespace deadlines;
namespace F = fields::terminy;
namespace P = fields::pojazdy;

namespace {

std::optional<qint64> readingOf(const QLineEdit* box) {
    const QString text = box->text().trimmed();
    if (text.isEmpty() || !numbers::isInteger(text))
        return std::nullopt;
    return numbers::parseInteger(text);
}

} // namespace

ServicePanel::ServicePanel(DeadlinesForm& form) : m_form(form) {
    setupControls();
}

ServicePanel::~ServicePanel() = default;

void ServicePanel::connectHandlers() {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    Dialogs& dialogs = m_form.context.dialogs;
    connectAction(dialogs, ui.PrzekazAutoSerwis, &QPushButton::clicked, this,
                  &ServicePanel::PrzekazAutoSerwisClick);
    connectAction(dialogs, ui.SpinEditPrzedSerwisem, &QSpinBox::valueChanged, this,
                  &ServicePanel::SpinEditPrzedSerwisemChange);
    connectAction(dialogs, ui.SpinEditPoSerwisie, &QSpinBox::valueChanged, this,
                  &ServicePanel::SpinEditPoSerwisieChange);
}

void ServicePanel::setupControls() {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    // The kilometre spins step by one, without bounds.
    for (QSpinBox* spin : {ui.SpinEditPrzedSerwisem, ui.SpinEditPoSerwisie}) {
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        spin->setValue(0);
    }
    QFont bold = ui.LabelIleZostalo->font();
    bold.setBold(true);
    ui.LabelIleZostalo->setFont(bold);
    QPalette red = ui.LabelIleZostalo->palette();
    red.setColor(QPalette::WindowText, deadlineColours::red);
    ui.LabelIleZostalo->setPalette(red);
    ui.EditAlarmSerwis->setFont(bold);
    showAlarm(false, m_form.windowColour);
}

void ServicePanel::kmSpinChanged(const QString& field, int value) {
    Table* t = m_form.table;
    if (t->isActive() && t->isEditing() && t->hasField(field))
        t->setValue(field, value);
    serviceCheck();
}

void ServicePanel::SpinEditPrzedSerwisemChange() {
    kmSpinChanged(F::IloscKmDoInfPrzed, m_form.ui.SpinEditPrzedSerwisem->value());
}
void ServicePanel::SpinEditPoSerwisieChange() {
    kmSpinChanged(F::IloscKmDoInfPo, m_form.ui.SpinEditPoSerwisie->value());
}

void ServicePanel::serviceReadings() {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    Table* cars = m_form.vehicles();
    if (!m_form.serviceAvailable() || cars->isEmpty()) {
        for (QLineEdit* box :
             {ui.EditStanLicznikaPoSerwisie, ui.EditAktualnyStanLicznika, ui.EditStanLicznikaDoSerwisu})
            box->clear();
        return;
    }
    auto text = [cars](const QString& field) {
        return cars->isNull(field) ? QString() : QString::number(cars->asInteger(field));
    };
    ui.EditStanLicznikaPoSerwisie->setText(text(P::StanLicznikaPo));
    ui.EditAktualnyStanLicznika->setText(text(P::StanAktLicznika));
    ui.EditStanLicznikaDoSerwisu->setText(
        cars->isNull(P::StanLicznikaPo) || cars->isNull(P::CoIleKmSerwis)
            ? QString()
            : QString::number(cars->asInteger(P::StanLicznikaPo) + cars->asInteger(P::CoIleKmSerwis)));
    const bool row = m_form.hasRow();
    struct Spin {
        QSpinBox* spin;
        const QString* rowField;
        const QString* vehicleField;
    };
    const Spin spins[] = {{ui.SpinEditPrzedSerwisem, &F::IloscKmDoInfPrzed, &P::IloscKmDoInfPrzed},
                          {ui.SpinEditPoSerwisie, &F::IloscKmDoInfPo, &P::IloscKmDoInfPo}};
    for (const Spin& s : spins) {
        if (row && !m_form.table->isNull(*s.rowField))
            DeadlinesForm::setSpinSilently(s.spin, int(m_form.table->asInteger(*s.rowField)));
        else if (!cars->isNull(*s.vehicleField))
            DeadlinesForm::setSpinSilently(s.spin, int(cars->asInteger(*s.vehicleField)));
    }
}

void ServicePanel::serviceCheck() {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    m_form.setColour(ui.EditAktualnyStanLicznika, m_form.windowColour);
    m_form.setColour(ui.EditStanLicznikaDoSerwisu, m_form.windowColour);
    ui.PrzekazAutoSerwis->setVisible(false);
    // A vehicle not in use, or without the readings, raises no alarm.
    Table* cars = m_form.vehicles();
    std::optional<qint64> reading;
    if (m_form.serviceAvailable() && m_form.vehicleInUse() && !cars->isNull(P::StanAktLicznika))
        reading = cars->asInteger(P::StanAktLicznika);
    const ServiceAlarm alarm =
        serviceAlarm(reading, readingOf(ui.EditStanLicznikaDoSerwisu), ui.SpinEditPrzedSerwisem->value(),
                     ui.SpinEditPoSerwisie->value());
    if (alarm.level == ServiceAlarm::Level::None) {
        showAlarm(false, m_form.windowColour);
        return;
    }
    const QColor colour =
        alarm.level == ServiceAlarm::Level::Red ? deadlineColours::red : deadlineColours::yellow;
    m_form.setColour(ui.EditAktualnyStanLicznika, colour);
    m_form.setColour(ui.EditStanLicznikaDoSerwisu, colour);
    showAlarm(true, colour);
    ui.LabelIleZostalo->setText(QString::number(alarm.remaining));
}

void ServicePanel::showAlarm(bool shown, const QColor& colour) {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    m_form.setColour(ui.EditAlarmSerwis, shown ? colour : m_form.windowColour);
    for (QWidget* w :
         {static_cast<QWidget*>(ui.EditAlarmSerwis), static_cast<QWidget*>(ui.LabelDoSerwisowania),
          static_cast<QWidget*>(ui.LabelIleZostalo), static_cast<QWidget*>(ui.LabelKm),
          static_cast<QWidget*>(ui.PrzekazAutoSerwis)})
        w->setVisible(shown);
}

void ServicePanel::PrzekazAutoSerwisClick() {
    AppContext& ctx = m_form.context;
    Table* cars = m_form.vehicles();
    Table* t = m_form.table;
    // Neither a vehicle nor a deadlines row being changed is stored half-done by the hand-over.
    if (cars->isEditing()) {
        ctx.dialogs.message(cars->pendingGuard());
        return;
    }
    if (t->isActive() && t->isEditing()) {
        if (PendingEdits::isTyped(*t)) {
            ctx.dialogs.message(t->pendingGuard());
            return;
        }
        t->cancel();
    }
    if (!ctx.dialogs.question(QStringLiteral("Czy przekazujemy POJAZD do serwisu"),
                              QStringLiteral("WYBIERZ"))) {
        serviceCheck();
        return;
    }
    if (cars->isEmpty() || !m_form.serviceAvailable())
        return;
    const qint64 reading = cars->asInteger(P::StanAktLicznika);
    cars->edit();
    cars->setValue(P::StanLicznikaPo, cars->value(P::StanAktLicznika));
    cars->setValue(P::DataOstSerwisu, ctx.clock.today());
    cars->post();
    cars->flushBuffers();
    if (m_form.hasRow()) {
        t->edit();
        t->setValue(F::StanLicznikaPo, cars->value(P::StanAktLicznika));
        t->setValue(F::StanLicznikaSerwis, reading + cars->asInteger(P::CoIleKmSerwis));
        t->post();
        t->flushBuffers();
    }
    showAlarm(false, m_form.windowColour);
    // The panel shows the new readings at once: a save or the close writes what it shows.
    serviceReadings();
    serviceCheck();
}

void ServicePanel::writeServiceFields() {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    Table* t = m_form.table;
    Table* cars = m_form.vehicles();
    t->setValue(F::IloscKmDoInfPrzed, ui.SpinEditPrzedSerwisem->value());
    t->setValue(F::IloscKmDoInfPo, ui.SpinEditPoSerwisie->value());
    if (const auto reading = readingOf(ui.EditAktualnyStanLicznika))
        t->setValue(F::StanLicznika, *reading);
    if (!cars->isEmpty() && !cars->isNull(P::CoIleKmSerwis))
        t->setValue(F::CoIlecKmSerwis, cars->value(P::CoIleKmSerwis));
    if (const auto due = readingOf(ui.EditStanLicznikaDoSerwisu))
        t->setValue(F::StanLicznikaSerwis, *due);
    if (const auto last = readingOf(ui.EditStanLicznikaPoSerwisie))
        t->setValue(F::StanLicznikaPo, *last);
}

void ServicePanel::writeBackServiceFields() {
    Table* t = m_form.table;
    if (!m_form.serviceAvailable() || t->isEmpty())
        return;
    // Every row of the vehicle in view keeps the service settings shown.
    const Table::QuietControls quiet(*t);
    Transaction transaction(*t);
    for (t->first(); !t->eof(); t->next()) {
        t->edit();
        writeServiceFields();
        t->post();
    }
    transaction.commit();
    t->flushBuffers();
}

} // namespace tarlok
