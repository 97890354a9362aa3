#include "TWybor_okresu.h"

#include "app/Forms.h"
#include "ui_TWybor_okresu.h"

namespace tarlok {

TWybor_okresu::TWybor_okresu(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TWybor_okresu>()) { m_ui->setupUi(this); }

TWybor_okresu::~TWybor_okresu() = default;

void TWybor_okresu::propose(int, int) {}
void TWybor_okresu::Rok_ewidencjiChange() {}
void TWybor_okresu::Wprowadz_okresClick() {}

} // namespace tarlok
