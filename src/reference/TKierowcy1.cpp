#include "TKierowcy1.h"

#include "app/Forms.h"
#include "ui_TKierowcy1.h"

namespace tarlok {

TKierowcy1::TKierowcy1(Forms& forms) : QWidget(nullptr, Qt::Window), m_forms(forms), m_ui(std::make_unique<Ui::TKierowcy1>()) { m_ui->setupUi(this); }

TKierowcy1::~TKierowcy1() = default;

void TKierowcy1::openWindow(bool) {}
void TKierowcy1::WprowadzImieNazwiskoClick() {}
void TKierowcy1::DBGridKierowcyDblClick() {}
void TKierowcy1::AnulujClick() {}
void TKierowcy1::ZamknijClick() {}

} // namespace tarlok
