// The property page handlers: the generic change handler, colours, file pickers, the
// dependent fields and the hint line.

#include "document/FileSystem.h"
#include "editor/FieldRules.h"
#include "editor/HintLine.h"
#include "editor/MainWindow.h"
#include "editor/pages/AppletPages.h"
#include "editor/pages/ItemPages.h"
#include "editor/pages/MenuPages.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/MenuTreeView.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/TextEdit.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

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

void MainWindow::wireHandlers()
{
    // The generic change handler: every page tells when the user changed one of its fields.
    std::vector<FieldPage *> pages = appletPages();
    pages.insert(pages.end(), {itemPage, firstLevelPage});
    for (FieldPage *page : pages)
        connect(page, &FieldPage::edited, this, &MainWindow::spnedtApWidthChange);

    for (ColorPanel *panel : findChildren<ColorPanel *>())
        connect(panel, &ColorPanel::clicked, this, [this, panel] { pnlApBgClrClick(panel); });

    for (QToolButton *button : {pagAppletSettings->spdbtnApBgImg, firstLevelPage->spdbtnItNoIcon,
                                firstLevelPage->spdbtnItOvIcon, firstLevelPage->spdbtnItClIcon})
        connect(button, &QToolButton::clicked, this,
                [this, button] { spdbtnItNoIconClick(button); });
    for (QToolButton *button : {firstLevelPage->spdbtnItOvSnd, firstLevelPage->spdbtnItClSnd})
        connect(button, &QToolButton::clicked, this,
                [this, button] { spdbtnItOvSndClick(button); });

    const std::vector<std::pair<QCheckBox *, ColorPanel *>> gradients{
        {pagAppletSettings->chbxApBgGradientFill, pagAppletSettings->pnlApBgFadeClr},
        {pagMenu->chckbxMnBgGradientFill, pagMenu->pnlMnBgFadeClr},
        {pagItemNormal->chckbxBgGradientFill, pagItemNormal->pnlBgFadeClr},
        {pagItemOver->chckbxBgGradientFill, pagItemOver->pnlBgFadeClr},
        {pagItemClicked->chckbxBgGradientFill, pagItemClicked->pnlBgFadeClr}};
    for (auto [box, panel] : gradients) {
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this,
                [this, box = box, panel = panel] { UpdateFadeColorPanel(box, panel); });
    }

    struct Placement
    {
        QComboBox *list;
        SpinEdit *x, *y;
    };
    for (Placement p :
         {Placement{pagAppletSettings->cmbxApBgImgAlign, pagAppletSettings->spnedtApBgImgX,
                    pagAppletSettings->spnedtApBgImgY},
          Placement{pagItemNormal->spnedtBgImgAlign, pagItemNormal->spnedtBgImgX,
                    pagItemNormal->spnedtBgImgY},
          Placement{pagItemOver->spnedtBgImgAlign, pagItemOver->spnedtBgImgX,
                    pagItemOver->spnedtBgImgY},
          Placement{pagItemClicked->spnedtBgImgAlign, pagItemClicked->spnedtBgImgX,
                    pagItemClicked->spnedtBgImgY}})
        connect(p.list, &QComboBox::activated, this,
                [this, p] { UpdateImagePositionFields(p.list, p.x, p.y); });

    struct Border
    {
        SpinEdit *width;
        QComboBox *list;
        ColorPanel *panel;
    };
    for (Border b :
         {Border{pagMoreAppletSettings->spnedtApBrdWidth, pagMoreAppletSettings->cmbxApBrdStyle,
                 pagMoreAppletSettings->pnlApBrdClr},
          Border{pagMenu->spnedtMnBrdWidth, pagMenu->cmbxMnBrdStyle, pagMenu->pnlMnBrdClr},
          Border{pagItemNormal->spnedtBrdWidth, pagItemNormal->cmbxBrdStyle,
                 pagItemNormal->pnlBrdClr},
          Border{pagItemOver->spnedtBrdWidth, pagItemOver->cmbxBrdStyle, pagItemOver->pnlBrdClr},
          Border{pagItemClicked->spnedtBrdWidth, pagItemClicked->cmbxBrdStyle,
                 pagItemClicked->pnlBrdClr}})
        connect(b.list, &QComboBox::activated, this,
                [this, b] { UpdateBorderFields(b.width, b.list, b.panel); });

    connect(ToolBar1, &QAction::triggered, this, &MainWindow::toggleToolBar);
    connect(StatusBar2, &QAction::triggered, this, &MainWindow::toggleStatusBar);
    connect(Topic1, &QAction::triggered, this, &MainWindow::showHelpTopics);
    connect(ToolButton13, &QAction::triggered, this, &MainWindow::showHelpTopics);
    connect(ViewSample1, &QAction::triggered, this, &MainWindow::viewSample);
    connect(Homepage1, &QAction::triggered, this, &MainWindow::openHomepage);
    connect(ContactUs1, &QAction::triggered, this, &MainWindow::contactUs);
    connect(Exit1, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::wireHints()
{
    // Everything but labels, lists, the status bar, the progress bar, the status text and
    // the toolbar itself shows its hint; containers without one empty the line.
    for (QWidget *widget : findChildren<QWidget *>()) {
        const bool container =
            qobject_cast<QTabWidget *>(widget) || qobject_cast<QGroupBox *>(widget) ||
            qobject_cast<QFrame *>(widget) == pnlTreeView ||
            (widget->parentWidget() && widget->parentWidget()->inherits("QStackedWidget"));
        const bool input = qobject_cast<QLineEdit *>(widget) || qobject_cast<SpinEdit *>(widget) ||
                           qobject_cast<QCheckBox *>(widget) ||
                           qobject_cast<QAbstractButton *>(widget) ||
                           qobject_cast<ColorPanel *>(widget) || widget == treeView;
        // The parts of a spin edit or a list belong to their owner.
        QWidget *owner = widget->parentWidget();
        const bool part =
            owner && (qobject_cast<QComboBox *>(owner) || qobject_cast<SpinEdit *>(owner));
        if ((container || input) && !part)
            HintLine::wire(widget);
    }
    hintLine->watchAll(this);
    connect(hintLine, &HintLine::mouseMoved, this, &MainWindow::spnedtApWidthMouseMove);
}

void MainWindow::spnedtApWidthChange()
{
    MarkModified();
}

void MainWindow::spnedtApWidthMouseMove(QWidget *control)
{
    hintLabel->setText(control->toolTip());
}

void MainWindow::pnlApBgClrClick(ColorPanel *panel)
{
    ChooseColor(panel);
    MarkModified();
}

void MainWindow::ChooseColor(ColorPanel *panel)
{
    if (const auto color = services.dialogs.chooseColor(this, panel->color()))
        panel->setColor(*color);
}

namespace {
void pickFile(MainWindow &window, DialogService &dialogs, QLineEdit *field, const char *filter,
              bool picture)
{
    const QString path = dialogs.openFile(&window, QLatin1String(filter), picture);
    if (path.isEmpty())
        return;
    // A picked name obeys the rules of typed text; the file is staged under the name shown.
    const QString original = QFileInfo(path).fileName();
    const QString name = TextEdit::cleaned(original);
    if (name != original) {
        dialogs.warning(&window,
                        name.isEmpty()
                            ? QObject::tr("The file name \"%1\" holds only characters that a "
                                          "menu cannot use; pick another file.")
                                  .arg(original)
                            : QObject::tr("The file name \"%1\" holds characters that a menu "
                                          "cannot use (line breaks, control characters or "
                                          "\"|\"); the file is used as \"%2\".")
                                  .arg(original, name),
                        DialogService::OkOnly);
        if (name.isEmpty())
            return;
    }
    field->setText(name);
    window.Document().CopyToPreviewAs(QDir::toNativeSeparators(path).toStdString(),
                                      name.toStdString());
}
} // namespace

void MainWindow::spdbtnItNoIconClick(QToolButton *button)
{
    const std::map<QToolButton *, QLineEdit *> targets{
        {pagAppletSettings->spdbtnApBgImg, pagAppletSettings->edtApBgImg},
        {firstLevelPage->spdbtnItNoIcon, firstLevelPage->edtItemNoBgImg},
        {firstLevelPage->spdbtnItOvIcon, firstLevelPage->edtItemOvBgImg},
        {firstLevelPage->spdbtnItClIcon, firstLevelPage->edtItemClBgImg}};
    if (auto target = targets.find(button); target != targets.end())
        pickFile(*this, services.dialogs, target->second, PictureFilter, true);
}

void MainWindow::spdbtnItOvSndClick(QToolButton *button)
{
    QLineEdit *field = button == firstLevelPage->spdbtnItOvSnd   ? firstLevelPage->edtItemOvBgSnd
                       : button == firstLevelPage->spdbtnItClSnd ? firstLevelPage->edtItemClBgSnd
                                                                 : nullptr;
    if (field)
        pickFile(*this, services.dialogs, field, AudioFilter, false);
}

void MainWindow::UpdateFadeColorPanel(QCheckBox *box, ColorPanel *panel)
{
    MarkModified();
    panel->setEnabled(box->isChecked());
}

void MainWindow::UpdateImagePositionFields(QComboBox *list, SpinEdit *x, SpinEdit *y)
{
    MarkModified();
    const bool free = list->currentIndex() == 0;
    FieldRules::setFieldEnabled(x, free);
    FieldRules::setFieldEnabled(y, free);
}

void MainWindow::UpdateBorderFields(SpinEdit *width, QComboBox *list, ColorPanel *panel)
{
    MarkModified();
    const bool noBorder = list->currentIndex() == 0;
    FieldRules::setFieldEnabled(width, !noBorder);
    panel->setEnabled(!noBorder);
}

void MainWindow::UpdateDependentFields()
{
    UpdateImagePositionFields(pagAppletSettings->cmbxApBgImgAlign,
                              pagAppletSettings->spnedtApBgImgX, pagAppletSettings->spnedtApBgImgY);
    for (ItemStatePage *state : {pagItemNormal, pagItemOver, pagItemClicked})
        UpdateImagePositionFields(state->spnedtBgImgAlign, state->spnedtBgImgX,
                                  state->spnedtBgImgY);
    UpdateBorderFields(pagMoreAppletSettings->spnedtApBrdWidth,
                       pagMoreAppletSettings->cmbxApBrdStyle, pagMoreAppletSettings->pnlApBrdClr);
    UpdateBorderFields(pagMenu->spnedtMnBrdWidth, pagMenu->cmbxMnBrdStyle, pagMenu->pnlMnBrdClr);
    for (ItemStatePage *state : {pagItemNormal, pagItemOver, pagItemClicked})
        UpdateBorderFields(state->spnedtBrdWidth, state->cmbxBrdStyle, state->pnlBrdClr);
}
