#include "LivePreview.h"

#include "editor/preview/PreviewCanvas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

LivePreview::LivePreview(QWidget *parent) : QWidget(parent)
{
    setObjectName("LivePreview");
    setWindowTitle(tr("Live Preview"));

    view_ = new QComboBox(this);
    view_->setObjectName("cmbxPreviewView");
    view_->setAccessibleName(tr("Preview shows"));
    view_->addItems({tr("Live Menu"), tr("All Items Normal"), tr("All Items Mouse Over"),
                     tr("All Items Clicked"), tr("Loading Message"), tr("Narrow Screen")});
    view_->setToolTip(tr("Show the menu working, every first-level item in one state, or the "
                         "narrow form of phones"));
    narrowWidth_ = new QSpinBox(this);
    narrowWidth_->setObjectName("spnedtPreviewWidth");
    narrowWidth_->setAccessibleName(tr("Screen width"));
    narrowWidth_->setRange(120, 2000);
    narrowWidth_->setValue(360);
    narrowWidth_->setSuffix(tr(" px"));
    narrowWidth_->setToolTip(tr("The width of the screen the narrow form is shown for"));
    narrowWidth_->setVisible(false);
    currentPage_ = new QCheckBox(tr("Show Current Page"), this);
    currentPage_->setObjectName("chbxPreviewCurrentPage");
    currentPage_->setToolTip(tr("Show the menu as the page of the selected item shows it: its "
                                "first-level item clicked, its row marked"));
    dark_ = new QCheckBox(tr("Dark"), this);
    dark_->setObjectName("chbxPreviewDark");
    dark_->setAccessibleName(tr("Dark scheme"));
    dark_->setToolTip(tr("Show the menu as a visitor who prefers the dark scheme sees it: in "
                         "its dark colors where the menu follows the visitor's scheme"));
    zoom_ = new QComboBox(this);
    zoom_->setObjectName("cmbxPreviewZoom");
    zoom_->setAccessibleName(tr("Zoom"));
    zoom_->addItems({tr("100 %"), tr("200 %")});
    zoom_->setToolTip(tr("Draw the menu at its size or twice as large"));
    auto *strip = new QHBoxLayout;
    strip->addWidget(view_);
    strip->addWidget(narrowWidth_);
    strip->addWidget(currentPage_);
    strip->addWidget(dark_);
    strip->addWidget(zoom_);
    strip->addStretch(1);

    canvas_ = new PreviewCanvas;
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(canvas_);
    scroll_->setWidgetResizable(true);
    // The canvas scrolls what the keyboard reaches into view: the area is no Tab stop of its own.
    scroll_->setFocusPolicy(Qt::NoFocus);

    status_ = new QLabel(this);
    status_->setObjectName("lblPreviewStatus");
    status_->setTextFormat(Qt::PlainText);
    status_->setMinimumWidth(1);

    warnings_ = new QLabel(this);
    warnings_->setObjectName("lblPreviewWarnings");
    warnings_->setTextFormat(Qt::PlainText);
    warnings_->setWordWrap(true);
    warnings_->setMinimumWidth(1);
    warnings_->setVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(strip);
    layout->addWidget(scroll_, 1);
    layout->addWidget(status_);
    layout->addWidget(warnings_);

    connect(view_, &QComboBox::currentIndexChanged, this, &LivePreview::applyDesign);
    connect(narrowWidth_, &QSpinBox::valueChanged, this, &LivePreview::applyDesign);
    connect(currentPage_, &QCheckBox::toggled, canvas_, &PreviewCanvas::setShowCurrentPage);
    connect(dark_, &QCheckBox::toggled, this, &LivePreview::darkSchemeChanged);
    connect(zoom_, &QComboBox::currentIndexChanged, this,
            [this](int index) { canvas_->setZoom(index + 1); });
    connect(canvas_, &PreviewCanvas::statusTextChanged, status_, &QLabel::setText);
}

bool LivePreview::darkScheme() const
{
    return dark_->isChecked();
}

void LivePreview::applyDesign()
{
    const int choice = view_->currentIndex();
    canvas_->setDesign(choice >= 1 && choice <= 3 ? choice - 1 : -1, choice == 4);
    narrowWidth_->setVisible(choice == 5);
    canvas_->setNarrow(choice == 5 ? narrowWidth_->value() : 0);
}

void LivePreview::setWarnings(const QStringList &warnings)
{
    warnings_->setVisible(!warnings.isEmpty());
    if (warnings.isEmpty())
        return;
    QString text = warnings.size() == 1
                       ? tr("Warning: %1").arg(warnings.front())
                       : tr("%1 warnings: %2").arg(warnings.size()).arg(warnings.front());
    if (warnings.size() > 1)
        text +=
            tr(" (and %n more; tarvelle-cli check lists them all)", nullptr, warnings.size() - 1);
    warnings_->setText(text);
    warnings_->setToolTip(warnings.join(QLatin1Char('\n')));
}

void LivePreview::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    emit shownChanged(true);
}

void LivePreview::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit shownChanged(false);
}
