#include "shell/main_window.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace shell {

TFoKelvor::TFoKelvor(QWidget* parent) : QWidget(parent) {
    setObjectName("FoKelvor");
    setWindowTitle("Vireliant NL Basic");
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    const char* tabs[] = {"Astrologische Functies", "Raadpleging Remedies", "Accessoire Functies"};
    const char* names[] = {"TabSheet1", "TabSheet2", "TabSheet3"};
    for (int i = 0; i < 3; ++i) {
        auto* page = new QWidget(PageControl1);
        page->setObjectName(names[i]);
        PageControl1->addTab(page, QString::fromLatin1(tabs[i]));
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    resize(640, 480);
}

}  // namespace shell
