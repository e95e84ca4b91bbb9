#pragma once
// What the boxes of a test document show, as its picture store keeps it.
#include "chart/PersonBox.h"
#include "document/Document.h"
#include "picture/PictureStore.h"

namespace lw::test {

// The picture person `index`'s file shows; null: none.
inline PictureRef shownPicture(const PictureStore& store, const Document& doc, int index) {
    const TPerson& p = doc.person(index);
    return p.Bild.empty() ? nullptr : store.shown(pictureFileName(p.Bild, doc.FileName));
}

// Its record; empty: none.
inline TDibRecord shownDib(const PictureStore& store, const Document& doc, int index) {
    const PictureRef picture = shownPicture(store, doc, index);
    return picture ? picture->dib() : TDibRecord{};
}

} // namespace lw::test
