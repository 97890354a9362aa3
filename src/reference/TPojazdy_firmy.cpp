#include "TPojazdy_firmy.h"

#include "app/Forms.h"
#include "ui_TPojazdy_firmy.h"

namespace tarlok {

TPojazdy_firmy::TPojazdy_firmy(Forms& forms) : QWidget(nullptr, Qt::Window), m_forms(forms), m_ui(std::make_unique<Ui::TPojazdy_firmy>()) { m_ui->setupUi(this); }

TPojazdy_firmy::~TPojazdy_firmy() = default;

void TPojazdy_firmy::openWindow() {}
void TPojazdy_firmy::showOwnerChoice(bool) {}
void TPojazdy_firmy::DodajClick() {}
void TPojazdy_firmy::ZapiszClick() {}
void TPojazdy_firmy::AnulujClick() {}
void TPojazdy_firmy::ZamknijClick() {}
void TPojazdy_firmy::UsunClick() {}
void TPojazdy_firmy::ZapiszStanPoczClick() {}
void TPojazdy_firmy::EdytujStanPoczClick() {}
void TPojazdy_firmy::SpinEditPrzedSerwisemChange() {}
void TPojazdy_firmy::SpinEditPoSerwisieChange() {}
void TPojazdy_firmy::DBGrid1CellClick() {}
void TPojazdy_firmy::closeEvent(QCloseEvent* event) { QWidget::closeEvent(event); }

} // namespace tarlok
