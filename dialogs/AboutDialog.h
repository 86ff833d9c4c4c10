#pragma once

#include <QDialog>

class QLabel;
class ShellService;

// The about box: the product's name and links to its home and support pages.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(ShellService &shell, QWidget *parent = nullptr);

    static const char *const HomePage;
    static const char *const SupportPage;

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
};
