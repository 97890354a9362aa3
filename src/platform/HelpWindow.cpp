#include "HelpWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tarlok {

namespace {

struct Topic {
    int number;
    const char* title;
    const char* text;
};

// UTF-8 texts of the help topics.
const Topic kTopics[] = {
    {1, "TARLOK - ewidencja przebiegu i kosztów pojazdów",
     "Program prowadzi ewidencję przebiegu pojazdów (przejazdy z trasą, celem wyjazdu, stanami licznika, "
     "kilometrami, stawką za 1 km i wartością), ewidencję kosztów pojazdów z podatkiem VAT i paliwem, "
     "terminy "
     "ubezpieczeń i przeglądów oraz ryczałty za używanie prywatnych samochodów pracowników.<br><br>"
     "Pracę zaczynamy przyciskiem <b>EWIDENCJA</b>: przy pierwszym uruchomieniu program poprosi o pierwszy "
     "okres rozliczeniowy (rok i miesiąc). Następnie w formatce <b>POJAZDY</b> wprowadzamy pojazdy, w "
     "formatce <b>STAWKI</b> stawki za 1 km, a kolejne miesiące otwieramy przyciskiem <b>NOWY ROK.</b>"},
    {2, "Koszty pojazdu",
     "Zakładka <b>KOSZTY</b> zawiera dokumenty kosztowe wybranego pojazdu w wybranym miesiącu. Nowy dokument "
     "dodajemy przyciskiem <b>Nowy koszt</b>, rodzaj wydatku i stawkę VAT pobieramy z kartoteki wydatków, "
     "a zapisujemy przyciskiem <b>Zapisz</b>. Program wylicza VAT zaliczony i niezaliczony w koszty oraz "
     "zużycie paliwa."},
    {3, "Przejazdy pojazdu",
     "Zakładka <b>PRZEJAZDY</b> to ewidencja przebiegu wybranego pojazdu w wybranym miesiącu. Nowy przejazd "
     "dodajemy przyciskiem <b>Nowy przejazd</b>, podajemy stan licznika końcowy albo ilość kilometrów, "
     "trasę, "
     "cel wyjazdu i kierowcę, a zapisujemy przyciskiem <b>Zapisz</b>. Program wylicza wartość przejazdu "
     "oraz sumy narastające miesiąca i roku."},
};

} // namespace

HelpWindow::HelpWindow() = default;
HelpWindow::~HelpWindow() = default;

QString HelpWindow::topicText(int topic) {
    for (const Topic& t : kTopics) {
        if (t.number == topic)
            return QStringLiteral("<h3>%1</h3><p>%2</p>")
                .arg(QString::fromUtf8(t.title), QString::fromUtf8(t.text));
    }
    return QStringLiteral("<h3>Pomoc</h3><p>Temat pomocy nr %1 programu TARLOK.</p>").arg(topic);
}

void HelpWindow::showTopic(int topic) {
    if (!m_window) {
        m_window = std::make_unique<QDialog>();
        m_window->setWindowTitle(QStringLiteral("Pomoc - TARLOK"));
        m_window->resize(520, 380);
        auto* layout = new QVBoxLayout(m_window.get());
        m_browser = new QTextBrowser(m_window.get());
        layout->addWidget(m_browser);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_window.get());
        buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Zamknij"));
        QObject::connect(buttons, &QDialogButtonBox::rejected, m_window.get(), &QDialog::hide);
        layout->addWidget(buttons);
    }
    m_browser->setHtml(topicText(topic));
    m_window->show();
    m_window->raise();
}

} // namespace tarlok
