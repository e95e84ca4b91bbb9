#pragma once
// The toolkit's own texts (file, font, colour and print dialogs) in German.
class QTranslator;

namespace lw::app {

// Loads the German translation of the toolkit's texts from the installed
// translations; false when it is not there.
bool loadGermanToolkitTexts(QTranslator& translator);

} // namespace lw::app
