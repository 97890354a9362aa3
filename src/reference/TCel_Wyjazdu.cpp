#include "TCel_Wyjazdu.h"

#include "app/Forms.h"
#include "ui_TCel_Wyjazdu.h"

namespace tarlok {

TCel_Wyjazdu::TCel_Wyjazdu(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TCel_Wyjazdu>()) { m_ui->setupUi(this); }

TCel_Wyjazdu::~TCel_Wyjazdu() = default;

void TCel_Wyjazdu::prepare(bool) {}
void TCel_Wyjazdu::WprowadzClick() {}
void TCel_Wyjazdu::DBGrid1DblClick() {}
void TCel_Wyjazdu::ZamknijClick() {}
void TCel_Wyjazdu::CheckBoxZapisBezposrednioTabelaClick() {}

} // namespace tarlok
