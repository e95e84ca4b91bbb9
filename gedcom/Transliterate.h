#pragma once
// Person texts hold only Windows-1252 characters. Characters outside it are
// replaced by the closest Latin text (Ł → L, ř → r, Cyrillic and Greek
// letters by their Latin transcription); what has no sensible Latin form
// becomes '?'.
#include <QString>
#include <memory>
#include <string>

namespace lw::gedcom {

class Transliterator {
  public:
    Transliterator();
    ~Transliterator();
    Transliterator(const Transliterator&) = delete;
    Transliterator& operator=(const Transliterator&) = delete;

    // The Windows-1252 bytes for `text`; `changed` tells whether any
    // character had to be replaced.
    std::string toWindows1252(const QString& text, bool* changed);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace lw::gedcom
