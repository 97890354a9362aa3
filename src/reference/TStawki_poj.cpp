#include "TStawki_poj.h"

#include "app/Forms.h"
#include "ui_TStawki_poj.h"

namespace tarlok {

TStawki_poj::TStawki_poj(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TStawki_poj>()) { m_ui->setupUi(this); }

TStawki_poj::~TStawki_poj() = default;

void TStawki_poj::ZapiszClick() {}
void TStawki_poj::AnulujClick() {}
void TStawki_poj::ZamknijClick() {}
void TStawki_poj::done(int result) { QDialog::done(result); }

} // namespace tarlok
