#include "app/window/ToolkitTexts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lw::app {

bool loadGermanToolkitTexts(QTranslator& translator) {
    return translator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace lw::app
