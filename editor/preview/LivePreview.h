#pragma once

#include <QWidget>

class PreviewCanvas;
class QCheckBox;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;

// The "Live Preview" panel (in a dock of the main window): the menu drawn while the author
// edits it, with a strip to show every first-level item in one state, the loading message or
// the narrow form a phone shows (at a width to pick), a zoom, and a status line for the
// status text of the item under the pointer. "Show Current Page" draws the menu as the page of
// the selected item shows it.
class LivePreview : public QWidget
{
    Q_OBJECT

public:
    explicit LivePreview(QWidget *parent = nullptr);

    PreviewCanvas *canvas() const { return canvas_; }
    // Whether the menu is shown as a visitor who prefers the dark scheme sees it.
    bool darkScheme() const;
    // The warnings about the menu shown, in a line under it (hidden without any).
    void setWarnings(const QStringList &warnings);

signals:
    void shownChanged(bool shown);
    void darkSchemeChanged(bool dark);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void applyDesign();

    PreviewCanvas *canvas_;
    QScrollArea *scroll_;
    QComboBox *view_;
    QComboBox *zoom_;
    QSpinBox *narrowWidth_;
    QCheckBox *currentPage_;
    QCheckBox *dark_;
    QLabel *status_;
    QLabel *warnings_;
};
