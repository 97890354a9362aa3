#include "TTrasy.h"

#include "app/Forms.h"
#include "ui_TTrasy.h"

namespace tarlok {

TTrasy::TTrasy(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TTrasy>()) { m_ui->setupUi(this); }

TTrasy::~TTrasy() = default;

void TTrasy::prepare(bool) {}
void TTrasy::DodajClick() {}
void TTrasy::ZapiszClick() {}
void TTrasy::AnulujClick() {}
void TTrasy::UsunClick() {}
void TTrasy::ZamknijClick() {}
void TTrasy::WprowadzClick() {}

} // namespace tarlok
