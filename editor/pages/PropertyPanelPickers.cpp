// The property pages' pickers (colours, pictures and sounds) and the fields that depend on
// others: a fade colour on its gradient, an image's place on its alignment, a border's width
// and colour on its style.

#include "editor/FieldRules.h"
#include "editor/pages/AppletPages.h"
#include "editor/pages/ItemPages.h"
#include "editor/pages/MenuPages.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/TextEdit.h"
#include "platform/Dialogs.h"
#include "PropertyPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>

namespace {
// What today's browsers show and play; "All Files" for anything else the author knows works.
const char *const PictureFilter =
    "All Pictures (*.png;*.gif;*.jpg;*.jpeg;*.webp;*.svg)|*.png;*.gif;*.jpg;*.jpeg;*.webp;*.svg|"
    "PNG Picture (*.png)|*.png|GIF Picture (*.gif)|*.gif|JPEG Picture (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
    "WebP Picture (*.webp)|*.webp|SVG Picture (*.svg)|*.svg|All Files (*)|*";
const char *const AudioFilter =
    "All Sounds (*.mp3;*.ogg;*.wav;*.au)|*.mp3;*.ogg;*.wav;*.au|MP3 Sound (*.mp3)|*.mp3|"
    "Ogg Sound (*.ogg)|*.ogg|WAV Sound (*.wav)|*.wav|AU Sound (*.au)|*.au|All Files (*)|*";
} // namespace

void PropertyPanel::wireDependentFields()
{
    const std::pair<QCheckBox *, ColorPanel *> gradients[] = {
        {appletPage_->colours.gradient, appletPage_->colours.fade},
        {menuPage_->colours.gradient, menuPage_->colours.fade},
        {normalPage_->colours.gradient, normalPage_->colours.fade},
        {overPage_->colours.gradient, overPage_->colours.fade},
        {clickedPage_->colours.gradient, clickedPage_->colours.fade}};
    const Loading loading(*this);
    for (auto [box, panel] : gradients) {
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this,
                [this, box = box, panel = panel] { updateFadePanel(box, panel); });
    }
    const PageKit::ImagePlacement placements[] = {appletPage_->placement, normalPage_->placement,
                                                  overPage_->placement, clickedPage_->placement};
    for (const PageKit::ImagePlacement &placement : placements)
        connect(placement.align, &QComboBox::activated, this,
                [this, placement] { updateImagePosition(placement); });
    const PageKit::BorderControls borders[] = {moreAppletPage_->border, menuPage_->border,
                                               normalPage_->border, overPage_->border,
                                               clickedPage_->border};
    for (const PageKit::BorderControls &border : borders)
        connect(border.style, &QComboBox::activated, this,
                [this, border] { updateBorder(border); });
}

void PropertyPanel::chooseColor(ColorPanel *panel, int position)
{
    if (const auto color = dialogs_.chooseColor(panel->window(), panel->color())) {
        panel->setColor(*color);
        onFieldEdited(Record::Applet, position);
    }
}

void PropertyPanel::pickFile(QLineEdit *field, bool picture)
{
    QWidget *window = field->window();
    const QString path =
        dialogs_.openFile(window, QLatin1String(picture ? PictureFilter : AudioFilter), picture);
    if (path.isEmpty())
        return;
    // A picked name obeys the rules of typed text; the file is staged under the name shown.
    const QString original = QFileInfo(path).fileName();
    const QString name = TextEdit::cleaned(original);
    if (name != original) {
        dialogs_.warning(window,
                         name.isEmpty() ? tr("The file name \"%1\" holds only characters that a "
                                             "menu cannot use; pick another file.")
                                              .arg(original)
                                        : tr("The file name \"%1\" holds characters that a menu "
                                             "cannot use (line breaks, control characters or "
                                             "\"|\"); the file is used as \"%2\".")
                                              .arg(original, name),
                         DialogService::OkOnly);
        if (name.isEmpty())
            return;
    }
    field->setText(name);
    document_.publisher().stageAs(QDir::toNativeSeparators(path).toStdString(), name.toStdString());
}

void PropertyPanel::updateFadePanel(QCheckBox *box, ColorPanel *panel)
{
    panel->setEnabled(box->isChecked());
}

void PropertyPanel::updateImagePosition(const PageKit::ImagePlacement &placement)
{
    const bool free = placement.align->currentIndex() == 0;
    FieldRules::setFieldEnabled(placement.x, free);
    FieldRules::setFieldEnabled(placement.y, free);
}

void PropertyPanel::updateBorder(const PageKit::BorderControls &border)
{
    const bool noBorder = border.style->currentIndex() == 0;
    FieldRules::setFieldEnabled(border.width, !noBorder);
    border.color->setEnabled(!noBorder);
}

void PropertyPanel::updateDependentFields()
{
    updateImagePosition(appletPage_->placement);
    for (ItemStatePage *state : {normalPage_, overPage_, clickedPage_})
        updateImagePosition(state->placement);
    updateBorder(moreAppletPage_->border);
    updateBorder(menuPage_->border);
    for (ItemStatePage *state : {normalPage_, overPage_, clickedPage_})
        updateBorder(state->border);
}
