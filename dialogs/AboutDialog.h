#pragma once

#include <QDialog>

class HelpService;
class QLabel;
class ShellService;

// The about box: the product's name and links to its home and support pages (the manual's
// pages for a build without web pages).
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(ShellService &shell, const HelpService &help, QWidget *parent = nullptr);

    void onMouseMoved();
    void openHomepageLink();
    void hoverHomepageLink();
    void openSupportLink();
    void hoverSupportLink();

    QLabel *productNameLabel;
    QLabel *homepageLabel;
    QLabel *supportLabel;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    // Links take the palette's link colour (blue in a light palette); red under the mouse.
    QColor linkColour() const;
    static void setLinkColour(QLabel *link, const QColor &colour);

    ShellService &shell_;
    QString homePage_;
    QString supportPage_;
};
