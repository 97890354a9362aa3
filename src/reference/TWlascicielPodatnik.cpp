#include "TWlascicielPodatnik.h"

#include "app/Forms.h"
#include "ui_TWlascicielPodatnik.h"

namespace tarlok {

TWlascicielPodatnik::TWlascicielPodatnik(Forms& forms) : QWidget(nullptr, Qt::Window), m_forms(forms), m_ui(std::make_unique<Ui::TWlascicielPodatnik>()) { m_ui->setupUi(this); }

TWlascicielPodatnik::~TWlascicielPodatnik() = default;

void TWlascicielPodatnik::openWindow() {}
void TWlascicielPodatnik::ZamknijClick() {}

} // namespace tarlok
