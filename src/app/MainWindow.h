#pragma once

#include <QMainWindow>

// The main window: word list, content pane and tool bar.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
};
