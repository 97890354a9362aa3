// The help: every window's "Pomoc" button and F1 open a topic whose page is there and describes that
// window; the pages' links lead to pages (and places in them) that exist, and the contents page leads
// to every page; the search finds words typed without Polish marks.
#include "support/DeadlinesDriver.h"
#include "support/TestApp.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "deadlines/TInformacjeNotatki.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "lumpsum/TRyczaltEwidencja.h"
#include "platform/HelpWindow.h"
#include "reference/TCel_Wyjazdu.h"
#include "reference/TJaki_Wydatek.h"
#include "reference/TKierowcy1.h"
#include "reference/TNowy_Okres.h"
#include "reference/TPojazdy_firmy.h"
#include "reference/TStawki_poj.h"
#include "reference/TTrasy.h"
#include "reference/TWlascicielPodatnik.h"
#include "reference/TWybor_okresu.h"
#include "register/TEwidencja_przejazdow.h"
#include "register/TSprawdzenieLicznika.h"
#include "reports/TFormularzWydrukow.h"
#include "ui_TEwidencja_przejazdow.h"
#include "ui_TMeniProgramu.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>

#include <algorithm>

using namespace tarlok;
using tarlok::test::DeadlinesDriver;
using tarlok::test::TestApp;

namespace {

const HelpWindow::Page* pageAt(const QUrl& url) {
    for (const HelpWindow::Page& page : HelpWindow::pages())
        if (page.url == url)
            return &page;
    return nullptr;
}

QString source(const QUrl& url) {
    QFile file(QLatin1Char(':') + url.path());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The topic last shown, and that exactly one was shown since `before`.
int shownSince(const TestApp& app, qsizetype before) {
    const auto& shown = app.help.shown();
    if (shown.size() != before + 1)
        return -1;
    return shown.last().topic;
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    // F1 anywhere in a window, and each of its "Pomoc" buttons, open a topic whose page names the
    // window (or the tab) and is more than a line.
    void everyWindowOpensItsTopic() {
        auto app = TestApp::started();
        app->dialogs.setCloseModalWindows(false);
        app->openRegisterOnAVehicle();
        Forms& f = app->forms();
        DeadlinesDriver(*app).openFromMainWindow();
        TEwidencja_przejazdow& reg = app->reg();

        struct Area {
            QWidget* widget; // a window, or a page of its tabs
            QString named;   // what its page must name
        };
        const QList<Area> areas = {
            {f.MeniProgramu, "Okno główne"},
            {&reg, reg.windowTitle()},
            {reg.ui()->Koszty, "zakładka KOSZTY"},
            {reg.ui()->Przejazdy, "zakładka PRZEJAZDY"},
            {reg.ui()->Zestawienia, "zakładka ZESTAWIENIA"},
            {f.Cel_Wyjazdu, {}},
            {f.Nowy_Okres, {}},
            {f.Pojazdy_firmy, {}},
            {f.Stawki_poj, {}},
            {f.Trasy, {}},
            {f.Wybor_okresu, {}},
            {f.Jaki_Wydatek, {}},
            {f.OpcjeDlaTerminow, {}},
            {f.InformacjeNotatki, {}},
            {f.Parametry1, {}},
            {f.Kierowcy1, {}},
            {f.WlascicielPodatnik, {}},
            {f.FormularzWydrukow, {}},
            {f.SprawdzenieLicznika, {}},
            {f.RyczaltEwidencja, {}},
            {f.KopiujProgram, {}},
            {f.OdtwarzanieDanych, {}},
        };
        QSet<int> topics;
        for (const Area& area : areas) {
            const QString named =
                (area.named.isEmpty() ? area.widget->windowTitle() : area.named).simplified();
            // F1 goes to the focused control: the first one inside the area.
            QWidget* inside = area.widget->findChildren<QWidget*>().value(0, area.widget);
            qsizetype before = app->help.shown().size();
            QTest::keyClick(inside, Qt::Key_F1);
            const int topic = shownSince(*app, before);
            QVERIFY2(topic > 0, qPrintable(named + ": F1 opened no topic"));
            QCOMPARE(app->help.shown().last().file, QString("Tarlok.HLP"));
            const HelpWindow::Page* page = pageAt(HelpWindow::topicUrl(topic));
            QVERIFY2(page, qPrintable(named + ": no page for topic " + QString::number(topic)));
            QVERIFY2(page->text.simplified().contains(named),
                     qPrintable(QStringLiteral("topic %1 does not name \"%2\"").arg(topic).arg(named)));
            QVERIFY2(!page->text.contains("Temat pomocy nr") && page->text.size() > 500,
                     qPrintable(named + ": no real text"));
            topics.insert(topic);

            // The "Pomoc" buttons of the area open the topic F1 opens where they are.
            for (QAbstractButton* button : area.widget->findChildren<QAbstractButton*>()) {
                if (button->text().remove('&').compare("Pomoc", Qt::CaseInsensitive) != 0 ||
                    helpTopic(button->parentWidget()) != topic)
                    continue;
                QVERIFY2(button->isEnabled(), qPrintable(named + ": \"Pomoc\" disabled"));
                before = app->help.shown().size();
                button->click();
                QCOMPARE(shownSince(*app, before), topic);
            }
        }
        // The main window's menu item, and the register's three buttons, each where it belongs.
        qsizetype before = app->help.shown().size();
        f.MeniProgramu->ui()->Pomoc1->trigger();
        QCOMPARE(shownSince(*app, before), 1);
        const QList<std::pair<QAbstractButton*, int>> buttons = {
            {reg.ui()->Pomoc_glowna, 1}, {reg.ui()->Pomoc_koszty, 2}, {reg.ui()->Pomoc, 3}};
        for (const auto& [button, topic] : buttons) {
            before = app->help.shown().size();
            button->click();
            QCOMPARE(shownSince(*app, before), topic);
        }
        // One topic per window and tab; the register shares the main window's and its costs tab the
        // expense kinds', as their "Pomoc" buttons always did.
        QCOMPARE(topics.size(), areas.size() - 2);
    }

    // Every link leads to a page, and to a place in it that is there; the contents lead to every page.
    void linksResolve() {
        const QList<HelpWindow::Page>& pages = HelpWindow::pages();
        QVERIFY(pages.size() > 20);
        QCOMPARE(pages.first().url, HelpWindow::contentsUrl());
        const QRegularExpression href(QStringLiteral("<a href=\"([^\"]*)\""));
        QSet<QString> fromContents;
        for (const HelpWindow::Page& page : pages) {
            const QString html = source(page.url);
            QVERIFY2(!page.title.isEmpty() && html.contains("<h1>"), qPrintable(page.url.toString()));
            for (const QRegularExpressionMatch& m : href.globalMatch(html)) {
                const QUrl target = page.url.resolved(QUrl(m.captured(1)));
                const QString where = page.url.fileName() + " -> " + m.captured(1);
                QVERIFY2(target.scheme() == "qrc" && pageAt(target.adjusted(QUrl::RemoveFragment)),
                         qPrintable(where));
                if (target.hasFragment())
                    QVERIFY2(source(target).contains(QStringLiteral("id=\"%1\"").arg(target.fragment())),
                             qPrintable(where));
                if (page.topic == 0)
                    fromContents.insert(target.fileName());
            }
        }
        for (const HelpWindow::Page& page : pages)
            if (page.topic != 0)
                QVERIFY2(fromContents.contains(page.url.fileName()), qPrintable(page.url.fileName()));
    }

    // The window opens at a topic, the contents for a number without a page, and its search lists the
    // pages holding every word typed, with or without Polish marks and whatever the case.
    void windowAndSearch() {
        HelpWindow help;
        help.showTopic(9);
        QVERIFY(help.window()->isVisible());
        QCOMPARE(help.browser()->source(), HelpWindow::topicUrl(9));
        help.showTopic(999);
        QCOMPARE(help.browser()->source(), HelpWindow::contentsUrl());

        // "PRZEKAŻ AUTO DO SERWISU" is on the deadlines window's page and on the service task's.
        help.searchBox()->setText("przekaz  Auto do serwisu");
        QStringList titles;
        for (int i = 0; i < help.results()->count(); ++i)
            titles.append(help.results()->item(i)->text());
        QStringList expected;
        for (int topic : {9, 34})
            expected.append(pageAt(HelpWindow::topicUrl(topic))->title);
        QCOMPARE(titles, expected);
        QTest::keyClick(help.searchBox(), Qt::Key_Return);
        QCOMPARE(help.browser()->source(), HelpWindow::topicUrl(9));
        // "ł" has no mark to drop: "Właściciel" is still found as "wlasciciel".
        QVERIFY(!HelpWindow::search("wlasciciel").isEmpty());
        QVERIFY(HelpWindow::search("wlasciciel xyzzy").isEmpty());
    }
};

TARLOK_TEST_MAIN(HelpTest)
#include "tst_help.moc"
