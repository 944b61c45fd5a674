#pragma once

#include <QMainWindow>

// The editor's main window; the document windows and bars come later.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
};
