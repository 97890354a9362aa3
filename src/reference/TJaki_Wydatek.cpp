#include "TJaki_Wydatek.h"

#include "app/Forms.h"
#include "ui_TJaki_Wydatek.h"

namespace tarlok {

TJaki_Wydatek::TJaki_Wydatek(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TJaki_Wydatek>()) { m_ui->setupUi(this); }

TJaki_Wydatek::~TJaki_Wydatek() = default;

void TJaki_Wydatek::prepare(bool) {}
void TJaki_Wydatek::WprowadzClick() {}
void TJaki_Wydatek::DBGrid1DblClick() {}
void TJaki_Wydatek::DBGrid1CellClick() {}
void TJaki_Wydatek::ZamknijClick() {}
void TJaki_Wydatek::PomocClick() {}

} // namespace tarlok
