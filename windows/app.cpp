#include <QApplication>

#include "main/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Form1 form;
    form.show();
    return app.exec();
}
