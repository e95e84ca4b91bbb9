#include "gedcom/Transliterate.h"

#include "platform/Win1252.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

namespace lw::gedcom {

struct Transliterator::Impl {
    std::unique_ptr<icu::Transliterator> toLatin;
};

Transliterator::Transliterator() : impl_(std::make_unique<Impl>()) {
    UErrorCode status = U_ZERO_ERROR;
    impl_->toLatin.reset(icu::Transliterator::createInstance(
        "Any-Latin; Latin-ASCII; NFD; [:Nonspacing Mark:] Remove; NFC", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) impl_->toLatin.reset();
}

Transliterator::~Transliterator() = default;

namespace {

bool encodable(QChar c) {
    return firstUnencodable(QString(c)) < 0;
}

} // namespace

std::string Transliterator::toWindows1252(const QString& input, bool* changed) {
    *changed = false;
    if (std::optional<std::string> plain = toAnsi(input)) return *plain;
    const QString text = input.normalized(QString::NormalizationForm_C);
    if (std::optional<std::string> direct = toAnsi(text)) {
        return *direct; // at most recomposed, which shows the same
    }
    *changed = true;
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (encodable(text[i]) && !(i + 1 < text.size() && !encodable(text[i + 1]) &&
                                    text[i + 1].category() == QChar::Mark_NonSpacing)) {
            out += text[i++];
            continue;
        }
        // A run of characters that Windows-1252 cannot hold, with the letter
        // that carries a following combining mark.
        qsizetype end = i + 1;
        while (end < text.size() &&
               (!encodable(text[end]) || (end + 1 < text.size() && !encodable(text[end + 1]) &&
                                          text[end + 1].category() == QChar::Mark_NonSpacing)))
            ++end;
        QString run = text.mid(i, end - i);
        if (impl_->toLatin) {
            icu::UnicodeString u(reinterpret_cast<const UChar*>(run.utf16()), int32_t(run.size()));
            impl_->toLatin->transliterate(u);
            run = QString(reinterpret_cast<const QChar*>(u.getBuffer()), u.length());
        }
        for (QChar c : run) {
            if (c.isLowSurrogate()) continue;
            out += encodable(c) && !c.isHighSurrogate() ? c : QChar(u'?');
        }
        i = end;
    }
    return toAnsiLossy(out);
}

} // namespace lw::gedcom
