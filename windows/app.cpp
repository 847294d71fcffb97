#include <QApplication>

#include "windows/main/form1.h"
#include "windows/toolkit/application.h"
#include "windows/toolkit/forms.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    toolkit::SetUpApplication();
    toolkit::Show<Form1>();
    const int code = app.exec(); // ends only through the exit button
    toolkit::DiscardAll();
    return code;
}
