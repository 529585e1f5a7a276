#include <QApplication>

#include "app/skmcareditor.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SKMcarEditor window;
    window.show();
    return app.exec();
}
