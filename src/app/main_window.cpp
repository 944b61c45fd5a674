#include "app/main_window.h"

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Ombrelis"));
    setGeometry(60, 41, 741, 644);
}
