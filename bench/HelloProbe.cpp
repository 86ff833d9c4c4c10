// The floor of the editor's start: a Qt Widgets window shown and painted once, as the start
// probe ends.

#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel hello(QStringLiteral("Hello"));
    hello.show();
    QApplication::processEvents();
    return hello.isVisible() ? 0 : 1;
}
