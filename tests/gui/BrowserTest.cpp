// A real browser reads the pages that Preview stages and that the batch tool publishes: the
// parameters it finds in the DOM are exactly those the applet must receive, whatever quotes,
// markup, ampersands or non-ASCII text the document holds.

#include "editor/pages/AppletPages.h"
#include "editor/pages/ItemPages.h"
#include "editor/widgets/TextEdit.h"
#include "tests/gui/GuiSupport.h"
#include "tests/support/AppletParams.h"

#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
const QStringList Hostile{"Tom & \"Jerry\"", "<b>bold</b> <script>alert(1)</script>",
                          QString::fromUtf8("Caf\u00e9 \u20ac \u4e2d\u6587 \U0001F600"),
                          "a=1&amp;b=\"2\" 'single' <!-- x -->", "&#233; &lt;not&gt; &nbsp;"};

QString chromium()
{
    for (const char *name : {"chromium", "chromium-browser", "google-chrome"}) {
        const QString path = QStandardPaths::findExecutable(QLatin1String(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

// Loads the page in a frame of a harness page and returns the name and value of every param
// element, as the browser's DOM holds them.
std::vector<std::pair<std::string, std::string>> paramsInBrowser(const QString &page)
{
    QTemporaryDir scratch;
    const QString harness = scratch.path() + "/harness.html";
    QFile file(harness);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("<!DOCTYPE html><html><body><pre id=\"out\"></pre><iframe id=\"page\" src=\"" +
                QUrl::fromLocalFile(page).toEncoded() +
                "\"></iframe><script>document.getElementById('page').onload = function () {"
                "  var doc = this.contentDocument, found = [];"
                "  doc.querySelectorAll('param').forEach(function (p) {"
                "    found.push([p.getAttribute('name'), p.getAttribute('value')]); });"
                "  found.push(['#elements', String(doc.querySelectorAll('*').length)]);"
                "  document.getElementById('out').textContent = JSON.stringify(found); };"
                "</script></body></html>"));
    file.close();

    QProcess browser;
    browser.start(chromium(),
                  {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                   "--no-first-run", "--disable-background-networking",
                   "--disable-component-update", "--disable-sync", "--allow-file-access-from-files",
                   "--virtual-time-budget=10000", "--user-data-dir=" + scratch.path() + "/profile",
                   "--dump-dom", QUrl::fromLocalFile(harness).toString()});
    EXPECT_TRUE(browser.waitForFinished(120000)) << "the browser did not finish";
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    const int start = dom.indexOf("<pre id=\"out\">");
    const int end = dom.indexOf("</pre>", start);
    EXPECT_GE(start, 0) << dom.toStdString()
                        << QString::fromUtf8(browser.readAllStandardError()).toStdString();
    if (start < 0 || end < 0)
        return {};
    QString json = dom.mid(start + 14, end - start - 14);
    json.replace("&lt;", "<")
        .replace("&gt;", ">")
        .replace("&nbsp;", QChar(0xA0))
        .replace("&amp;", "&");
    std::vector<std::pair<std::string, std::string>> params;
    for (const QJsonValue &entry : QJsonDocument::fromJson(json.toUtf8()).array())
        params.emplace_back(entry[0].toString().toStdString(), entry[1].toString().toStdString());
    return params;
}

struct BrowserFixture : WindowFixture
{
    QTemporaryDir work;

    Node add(Node parent, const QString &caption, const QString &url, const QString &status)
    {
        Node node = WindowFixture::add(parent, caption);
        part<ItemPage>(w(), "TabSheet1")->itemURLEdit->setText(url);
        part<ItemPage>(w(), "TabSheet1")->itemStatusBarTextEdit->setText(status);
        return node;
    }

    // A menu whose every text is hostile, first-level items and popups alike.
    void buildHostileMenu()
    {
        Node root = WindowFixture::root();
        for (int i = 0; i < Hostile.size(); ++i) {
            Node top = add(root, Hostile[i], "page.html?q=" + Hostile[i],
                           Hostile[(i + 1) % Hostile.size()]);
            Node child = add(top, Hostile[(i + 2) % Hostile.size()], "", "");
            add(child, Hostile[(i + 3) % Hostile.size()], "deep.html?x=" + Hostile[i], "");
            add(top, Hostile[(i + 4) % Hostile.size()], "x\"y.html", "");
        }
        part<AppletSettingsPage>(w(), "pagAppletSettings")->apBgImgEdit->setText(Hostile[3]);
        part<MenuTreeView>(w(), "TreeView1")->setCurrentNode(root);
    }
};
} // namespace

TEST(RealBrowser, FindsTheDocumentsValuesInThePreviewAndThePublishedPage)
{
    ASSERT_FALSE(chromium().isEmpty()) << "Chromium is not installed";
    BrowserFixture f;
    f.buildHostileMenu();
    trigger(f.w(), "actionPreview");
    ASSERT_EQ(f.shell.opened.size(), 1);
    // The values as a file holds them.
    decltype(expectedParams(f.w().document().menu())) expected;
    f.w().document().writeOutput([&] { expected = expectedParams(f.w().document().menu()); });

    auto found = paramsInBrowser(f.shell.opened[0]);
    ASSERT_FALSE(found.empty());
    const auto elements = found.back();
    found.pop_back();
    ASSERT_EQ(found.size(), expected.size() + 1); // the Copyright parameter comes first
    EXPECT_EQ(found[0].first, "Copyright");
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(found[k + 1].first, expected[k].first);
        EXPECT_EQ(found[k + 1].second, expected[k].second) << "parameter " << expected[k].first;
    }
    // html, head, body, applet, the params and the runtime's script element (the runtime
    // itself is not in this program folder): nothing the values could have smuggled in.
    EXPECT_EQ(elements.second, std::to_string(5 + found.size()));

    // The page the batch tool publishes from the saved project says the same (without the
    // runtime, which would turn the parameters into the menu).
    const QString project = f.work.path() + "/hostile.tvl";
    f.dialogs.saveFiles = {project};
    trigger(f.w(), "actionSaveAs");
    QProcess cli;
    cli.start(QCoreApplication::applicationDirPath() + "/../bin/tarvelle-cli",
              {"publish", project, f.work.path() + "/site", "--no-web-runtime"});
    ASSERT_TRUE(cli.waitForFinished(60000));
    // The background picture the menu names does not exist: it is left out, and said so.
    ASSERT_EQ(cli.exitCode(), 1) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(cli.readAllStandardError().contains("left out"));
    auto published = paramsInBrowser(f.work.path() + "/site/hostile.html");
    ASSERT_FALSE(published.empty());
    published.pop_back();
    ASSERT_FALSE(published.empty());
    found.erase(found.begin());
    published.erase(published.begin());
    EXPECT_EQ(published, found);
}
