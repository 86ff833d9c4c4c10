#include "AboutDialog.h"

#include "document/Version.h"
#include "platform/Appearance.h"
#include "platform/Help.h"
#include "platform/Shell.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {
// A web address as it is; a page of the manual by its title.
QString linkText(const QString &address, const QString &manualTitle)
{
    return address.startsWith(QLatin1String("http")) ? address : manualTitle;
}
} // namespace

AboutDialog::AboutDialog(ShellService &shell, const HelpService &help, QWidget *parent)
    : QDialog(parent), shell_(shell), homePage_(help.homePage()), supportPage_(help.supportPage())
{
    setObjectName("formAbout");
    setFont(compactFont());
    setWindowTitle(QStringLiteral("Tarvelle"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(313, 214);
    setAutoFillBackground(true);
    QPalette background = palette();
    // The box is drawn on the colour of text fields: white in a light palette, dark in a
    // dark one.
    background.setColor(QPalette::Window, background.color(QPalette::Base));
    background.setColor(QPalette::WindowText, background.color(QPalette::Text));
    setPalette(background);
    setMouseTracking(true);

    auto *image = new QLabel(this);
    image->setObjectName("Image1");
    image->setPixmap(QIcon(QStringLiteral(":/icons/tarvelle.svg")).pixmap(32, 32));
    image->setGeometry(16, 8, 32, 32);

    productNameLabel = new QLabel(QStringLiteral("Tarvelle"), this);
    productNameLabel->setObjectName("lblProductName");
    QFont bold = productNameLabel->font();
    bold.setBold(true);
    bold.setPixelSize(18);
    productNameLabel->setFont(bold);
    productNameLabel->move(58, 10);
    productNameLabel->adjustSize();
    auto *version = new QLabel(tr("Version %1").arg(QLatin1String(TarvelleVersion)), this);
    version->setObjectName("lblVersion");
    version->move(58, 10 + productNameLabel->height() + 2);
    version->adjustSize();

    auto place = [this](QLabel *label, const char *name, int x, int y) {
        label->setObjectName(QLatin1String(name));
        label->move(x, y);
        label->adjustSize();
        return label;
    };
    place(new QLabel(tr("Web Site"), this), "Label2", 16, 67);
    homepageLabel =
        place(new QLabel(linkText(homePage_, tr("Tarvelle Help")), this), "Label8", 103, 67);
    place(new QLabel(tr("Tech Support"), this), "Label3", 16, 85);
    supportLabel =
        place(new QLabel(linkText(supportPage_, tr("Troubleshooting")), this), "Label10", 104, 85);
    for (QLabel *link : {homepageLabel, supportLabel}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setMouseTracking(true);
        link->installEventFilter(this);
        setLinkColour(link, linkColour());
    }

    auto *comments = new QLabel(
        tr("Tarvelle designs navigation menus for web pages: build the menu, set its look, "
           "preview it in your browser and publish the folder it assembles."),
        this);
    comments->setObjectName("Comments");
    comments->setWordWrap(true);
    comments->setGeometry(16, 112, 280, 52);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("Button1");
    ok->setGeometry(104, 177, 97, 24);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QColor AboutDialog::linkColour() const
{
    return palette().color(QPalette::Link);
}

void AboutDialog::setLinkColour(QLabel *link, const QColor &colour)
{
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, colour);
    link->setPalette(palette);
}

void AboutDialog::onMouseMoved()
{
    setLinkColour(homepageLabel, linkColour());
    setLinkColour(supportLabel, linkColour());
}

void AboutDialog::openHomepageLink()
{
    shell_.openDocument(homePage_);
}

void AboutDialog::hoverHomepageLink()
{
    setLinkColour(homepageLabel, Qt::red);
}

void AboutDialog::openSupportLink()
{
    shell_.openDocument(supportPage_);
}

void AboutDialog::hoverSupportLink()
{
    setLinkColour(supportLabel, Qt::red);
}

bool AboutDialog::eventFilter(QObject *watched, QEvent *event)
{
    const bool home = watched == homepageLabel;
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        home ? hoverHomepageLink() : hoverSupportLink();
        // A label passes mouse moves on to the window, whose own handler would turn the
        // link blue again at once.
        return true;
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        home ? openHomepageLink() : openSupportLink();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::mouseMoveEvent(QMouseEvent *event)
{
    onMouseMoved();
    QDialog::mouseMoveEvent(event);
}
