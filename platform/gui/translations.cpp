#include "platform/gui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace gui {

namespace {

// The installed translator is a child of the application object, found by this name.
constexpr const char* kTranslatorName = "qtbaseTranslator";

}  // namespace

bool LoadQtTranslations(const QString& language) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app->findChild<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly)) return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(kTranslatorName);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(language), "qtbase", "_", folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace gui
