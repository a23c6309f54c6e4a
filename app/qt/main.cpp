// Program entry. Until the application object exists, an empty main window.
#include <QApplication>
#include <QMainWindow>
#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Numbers are read and written in the C locale whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QMainWindow window;
    window.setWindowTitle("Horavel");
    window.resize(1024, 768);
    window.show();
    return app.exec();
}
