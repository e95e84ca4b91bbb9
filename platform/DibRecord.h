#pragma once
// The device-independent bitmap that canvases draw: a header with its colour
// table and the rows of pixels, stored bottom-up (row 0 of the pixel data is
// the bottom row of the picture), each row padded to a multiple of 4 bytes:
// 24-bit BGR, or 8, 4 or 1 bits per pixel with a colour table.
//
// A TDibRecord is a plain value: copying it copies the handles, not the
// picture. Reading, making and freeing pictures belongs to picture/Dib.h.
#include <cstdint>

namespace lw {

struct BITMAPINFOHEADER {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0; // positive: rows stored bottom-up
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0; // uncompressed
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

struct RGBQUAD {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};

struct TDibRecord {
    BITMAPINFO* info = nullptr;   // header and colour table
    std::uint8_t* bits = nullptr; // pixel data; null = no picture
    std::int32_t stride = 0;      // bytes per stored row

    bool empty() const { return bits == nullptr; }
    std::int32_t width() const { return info ? info->bmiHeader.biWidth : 0; }
    std::int32_t height() const { return info ? info->bmiHeader.biHeight : 0; }
    int bitCount() const { return info ? info->bmiHeader.biBitCount : 0; }
};

} // namespace lw
