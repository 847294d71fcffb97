#include <QApplication>

#include "main/form1.h"
#include "toolkit/application.h"
#include "toolkit/forms.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    toolkit::SetUpApplication();
    toolkit::Show<Form1>();
    const int code = app.exec(); // ends only through the exit button
    toolkit::DiscardAll();
    return code;
}
