// Entry point of the control tool.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("RV-8200-XC Control Tool  Ver 0.29"));
    window.resize(800, 600);
    window.show();
    return application.exec();
}
