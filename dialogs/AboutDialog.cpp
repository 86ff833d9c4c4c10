#include "AboutDialog.h"

#include "document/Version.h"
#include "platform/Appearance.h"
#include "platform/Help.h"
#include "platform/Shell.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFormLayout>
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

    productNameLabel = new QLabel(QStringLiteral("Tarvelle"), this);
    productNameLabel->setObjectName("lblProductName");
    QFont bold = productNameLabel->font();
    bold.setBold(true);
    bold.setPixelSize(18);
    productNameLabel->setFont(bold);
    auto *version = new QLabel(tr("Version %1").arg(QLatin1String(TarvelleVersion)), this);
    version->setObjectName("lblVersion");

    auto named = [this](QLabel *label, const char *name) {
        label->setObjectName(QLatin1String(name));
        return label;
    };
    homepageLabel = named(new QLabel(linkText(homePage_, tr("Tarvelle Help")), this), "Label8");
    supportLabel =
        named(new QLabel(linkText(supportPage_, tr("Troubleshooting")), this), "Label10");
    auto *links = new QFormLayout;
    links->setHorizontalSpacing(24);
    links->addRow(named(new QLabel(tr("Web Site"), this), "Label2"), homepageLabel);
    links->addRow(named(new QLabel(tr("Tech Support"), this), "Label3"), supportLabel);
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
    comments->setFixedWidth(280);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("Button1");
    ok->setMinimumWidth(97);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *title = new QVBoxLayout;
    title->setSpacing(2);
    title->addWidget(productNameLabel);
    title->addWidget(version);
    auto *heading = new QHBoxLayout;
    heading->setSpacing(10);
    heading->addWidget(image, 0, Qt::AlignTop);
    heading->addLayout(title);
    heading->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 12);
    layout->setSpacing(12);
    layout->addLayout(heading);
    layout->addLayout(links);
    layout->addWidget(comments);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
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
