#include "LivePreview.h"

#include "PreviewCanvas.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

LivePreview::LivePreview(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setObjectName("LivePreview");
    setWindowTitle(tr("Live Preview"));

    view_ = new QComboBox(this);
    view_->setObjectName("cmbxPreviewView");
    view_->addItems({tr("Live Menu"), tr("All Items Normal"), tr("All Items Mouse Over"),
                     tr("All Items Clicked"), tr("Loading Message")});
    view_->setToolTip(tr("Show the menu working, or every first-level item in one state"));
    zoom_ = new QComboBox(this);
    zoom_->setObjectName("cmbxPreviewZoom");
    zoom_->addItems({tr("100 %"), tr("200 %")});
    zoom_->setToolTip(tr("Draw the menu at its size or twice as large"));
    auto *strip = new QHBoxLayout;
    strip->addWidget(view_);
    strip->addWidget(zoom_);
    strip->addStretch(1);

    canvas_ = new PreviewCanvas;
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(canvas_);
    scroll_->setWidgetResizable(true);

    status_ = new QLabel(this);
    status_->setObjectName("lblPreviewStatus");
    status_->setTextFormat(Qt::PlainText);
    status_->setMinimumWidth(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(strip);
    layout->addWidget(scroll_, 1);
    layout->addWidget(status_);
    resize(520, 360);

    connect(view_, &QComboBox::currentIndexChanged, this, &LivePreview::applyDesign);
    connect(zoom_, &QComboBox::currentIndexChanged, this,
            [this](int index) { canvas_->setZoom(index + 1); });
    connect(canvas_, &PreviewCanvas::statusTextChanged, status_, &QLabel::setText);
}

void LivePreview::applyDesign()
{
    const int choice = view_->currentIndex();
    canvas_->setDesign(choice >= 1 && choice <= 3 ? choice - 1 : -1, choice == 4);
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
