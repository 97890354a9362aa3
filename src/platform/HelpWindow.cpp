#include "HelpWindow.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

#include <algorithm>

// The pages live in the platform library; a program linked statically must register them itself.
static void registerHelpPages() {
    Q_INIT_RESOURCE(help);
}

namespace tarlok {

namespace {

constexpr const char* kFolder = ":/help/";
constexpr const char* kContents = "spis.html";

// Lower case without the marks of Polish letters, so that a word typed without them still matches.
QString folded(const QString& text) {
    QString out = text.toLower().normalized(QString::NormalizationForm_D);
    out.remove(QRegularExpression(QStringLiteral("\\p{Mn}")));
    out.replace(QChar(0x0142), QLatin1Char('l')); // ł has no decomposition
    return out;
}

QString readPage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

HelpWindow::Page makePage(const QString& name) {
    HelpWindow::Page page;
    page.url = QUrl(QStringLiteral("qrc:/help/") + name);
    page.topic = name == QLatin1String(kContents) ? 0 : QFileInfo(name).completeBaseName().toInt();
    const QString html = readPage(QLatin1String(kFolder) + name);
    const QRegularExpressionMatch title = QRegularExpression(QStringLiteral("<title>(.*)</title>"),
                                                             QRegularExpression::DotMatchesEverythingOption)
                                              .match(html);
    page.title = title.hasMatch()
                     ? QTextDocumentFragment::fromHtml(title.captured(1)).toPlainText().simplified()
                     : name;
    QTextDocument document;
    document.setHtml(html);
    page.text = document.toPlainText();
    return page;
}

} // namespace

HelpWindow::HelpWindow() {
    registerHelpPages();
}

HelpWindow::~HelpWindow() = default;

QUrl HelpWindow::topicUrl(int topic) {
    const QString name = QString::number(topic) + QStringLiteral(".html");
    if (topic <= 0 || !QFile::exists(QLatin1String(kFolder) + name))
        return {};
    return QUrl(QStringLiteral("qrc:/help/") + name);
}

QUrl HelpWindow::contentsUrl() {
    return QUrl(QStringLiteral("qrc:/help/") + QLatin1String(kContents));
}

const QList<HelpWindow::Page>& HelpWindow::pages() {
    static const QList<Page> all = [] {
        registerHelpPages();
        QList<Page> list;
        for (const QString& name :
             QDir(QLatin1String(kFolder)).entryList({QStringLiteral("*.html")}, QDir::Files))
            list.append(makePage(name));
        std::sort(list.begin(), list.end(), [](const Page& a, const Page& b) { return a.topic < b.topic; });
        return list;
    }();
    return all;
}

QList<HelpWindow::Page> HelpWindow::search(const QString& query) {
    const QStringList words =
        folded(query).split(QRegularExpression(QStringLiteral("\\W+")), Qt::SkipEmptyParts);
    QList<Page> found;
    if (words.isEmpty())
        return found;
    for (const Page& page : pages()) {
        const QString text = folded(page.title + QLatin1Char('\n') + page.text);
        if (std::all_of(words.begin(), words.end(), [&](const QString& w) { return text.contains(w); }))
            found.append(page);
    }
    return found;
}

void HelpWindow::build() {
    m_window = std::make_unique<QDialog>();
    m_window->setWindowTitle(QStringLiteral("Pomoc - TARLOK"));
    m_window->resize(940, 640);

    auto* searchLabel = new QLabel(QStringLiteral("Sz&ukaj:"), m_window.get());
    m_search = new QLineEdit(m_window.get());
    m_search->setClearButtonEnabled(true);
    m_search->setToolTip(QStringLiteral("Słowa, które ma zawierać temat pomocy"));
    searchLabel->setBuddy(m_search);
    m_results = new QListWidget(m_window.get());
    // Long titles wrap instead of running out of the list.
    m_results->setWordWrap(true);
    m_results->setResizeMode(QListView::Adjust);
    m_results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* left = new QVBoxLayout;
    left->addWidget(searchLabel);
    left->addWidget(m_search);
    left->addWidget(m_results, 1);

    m_browser = new QTextBrowser(m_window.get());
    m_browser->document()->setDefaultStyleSheet(
        QStringLiteral("h1 { font-size: x-large; color: #1f4e79; } h2 { font-size: large; color: #1f4e79; }"
                       " td, th { padding: 2px 6px; } th { text-align: left; }"));
    auto* panes = new QHBoxLayout;
    panes->addLayout(left, 1);
    panes->addWidget(m_browser, 3);

    auto* buttons = new QDialogButtonBox(m_window.get());
    QPushButton* contents = buttons->addButton(QStringLiteral("&Spis treści"), QDialogButtonBox::ActionRole);
    QPushButton* back = buttons->addButton(QStringLiteral("&Wstecz"), QDialogButtonBox::ActionRole);
    QPushButton* forward = buttons->addButton(QStringLiteral("&Dalej"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QStringLiteral("&Zamknij"), QDialogButtonBox::RejectRole);
    for (QPushButton* b : {contents, back, forward, close})
        b->setAutoDefault(false);
    back->setEnabled(false);
    forward->setEnabled(false);
    QObject::connect(contents, &QPushButton::clicked, m_browser,
                     [this] { m_browser->setSource(contentsUrl()); });
    QObject::connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    QObject::connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    QObject::connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    QObject::connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    QObject::connect(buttons, &QDialogButtonBox::rejected, m_window.get(), &QDialog::hide);
    QObject::connect(m_search, &QLineEdit::textChanged, m_window.get(), [this] { showResults(); });
    QObject::connect(m_search, &QLineEdit::returnPressed, m_window.get(), [this] {
        if (m_results->count() > 0) {
            m_results->setCurrentRow(0);
            openResult();
        }
    });
    QObject::connect(m_results, &QListWidget::itemActivated, m_window.get(), [this] { openResult(); });
    QObject::connect(m_results, &QListWidget::itemClicked, m_window.get(), [this] { openResult(); });

    auto* layout = new QVBoxLayout(m_window.get());
    layout->addLayout(panes, 1);
    layout->addWidget(buttons);
    showResults();
}

// The titles of the pages that hold the words typed; every page while nothing is typed.
void HelpWindow::showResults() {
    const QList<Page> found = m_search->text().trimmed().isEmpty() ? pages() : search(m_search->text());
    m_results->clear();
    for (const Page& page : found) {
        auto* item = new QListWidgetItem(page.title, m_results);
        item->setData(Qt::UserRole, page.url);
    }
}

void HelpWindow::openResult() {
    const QListWidgetItem* item = m_results->currentItem();
    if (!item)
        return;
    m_browser->setSource(item->data(Qt::UserRole).toUrl());
    // Show the first place that holds the first word as typed, when the page writes it so.
    const QString first = m_search->text().section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    if (!first.isEmpty())
        m_browser->find(first);
}

void HelpWindow::showTopic(int topic) {
    if (!m_window)
        build();
    const QUrl url = topicUrl(topic);
    m_browser->setSource(url.isEmpty() ? contentsUrl() : url);
    // Over a modal window the help window is modal too, or it could not be scrolled or clicked.
    const QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal && modal != m_window.get() ? Qt::ApplicationModal : Qt::NonModal;
    if (m_window->windowModality() != wanted) {
        m_window->hide();
        m_window->setWindowModality(wanted);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace tarlok
