#pragma once
// The main window: three pages of commands.
#include <QWidget>

class QTabWidget;

namespace shell {

class TFoKelvor : public QWidget {
    Q_OBJECT
public:
    explicit TFoKelvor(QWidget* parent = nullptr);
    QTabWidget* PageControl1 = nullptr;
};

}  // namespace shell
