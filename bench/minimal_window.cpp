// The baseline for start-up: the least a Qt Widgets program does to show one window.
#include "app/first_paint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    sonaplex::reportFirstPaintIfAsked();
    QLabel window(QStringLiteral("Hello"));
    window.show();
    return app.exec();
}
