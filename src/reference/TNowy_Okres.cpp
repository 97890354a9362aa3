#include "TNowy_Okres.h"

#include "app/Forms.h"
#include "ui_TNowy_Okres.h"

namespace tarlok {

TNowy_Okres::TNowy_Okres(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TNowy_Okres>()) { m_ui->setupUi(this); }

TNowy_Okres::~TNowy_Okres() = default;

void TNowy_Okres::prepare() {}
void TNowy_Okres::WprowadzClick() {}
void TNowy_Okres::AnulujClick() {}

} // namespace tarlok
