#pragma once
// The picture library: picture files read into device-independent bitmaps.
//
// A loaded picture is stored bottom-up (row 0 of the pixel data is the bottom
// row of the picture), each row padded to a multiple of 4 bytes: 24-bit BGR,
// or 8, 4 or 1 bits per pixel with a colour table.
//
// A TDibRecord is a plain value: copying it copies the handles, not the
// picture. Whoever keeps a loaded record owns the picture and frees it exactly
// once with deldib; the record is empty while `bits` is null.
#include "platform/DibRecord.h"
#include "platform/Progress.h"

#include <QString>

#include <cstdint>
#include <string>

namespace lw {

// Reads the picture file `fileName` (UTF-8, may be empty) into
// `dib`. On failure `dib` stays empty. Progress (0 ... 100) goes to
// `progress` when given. `flags` is reserved and must be 0.
bool OpenDib(TDibRecord& dib, const std::string& fileName, int flags, ProgressSink* progress);
// The same for a file name given as the user interface holds it
// (a folder chosen in a dialog).
bool OpenDib(TDibRecord& dib, const QString& fileName, int flags, ProgressSink* progress);
inline bool OpenDib(TDibRecord& dib, const char* fileName, int flags, ProgressSink* progress) {
    return OpenDib(dib, std::string(fileName), flags, progress);
}

// Frees the picture that `dib` holds (nothing for an empty record). The
// caller then clears its own copy of the record.
void deldib(TDibRecord dib);

// A blank picture of w × h pixels with `bitCount` bits per pixel, all pixels
// zero; the first `colorCount` entries of `colors` (may be null) become its
// colour table. False and `dib` empty when the size is not positive or the
// memory cannot be had.
bool newdib(TDibRecord& dib, int w, int h, int bitCount, const BITMAPINFO* colors, int colorCount);

// The value of the pixel at column x of stored row y (row 0 = bottom): the
// colour table index for 1, 4 and 8 bits, 0x00RRGGBB for 24 bits.
std::uint32_t getpixel(TDibRecord dib, int x, int y);
void setpixel(TDibRecord dib, int x, int y, std::uint32_t value);

// The filter for picture file dialogs: "description|patterns|..." .
std::string GetDIBOpenFilter();

// How many pictures are allocated and not yet freed, in this process.
long liveDibCount();

} // namespace lw
