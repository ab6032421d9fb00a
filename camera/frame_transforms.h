// What the live view does to a camera frame before it keeps it: YUY2 turned
// into 24-bit pixels, the negative, the rotate/flip code. Plain functions on
// pixel memory, run on the streaming thread.
#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>

namespace orvilo::camera {

// Bytes per row of a 24-bit device-independent bitmap: padded to 4.
constexpr std::size_t Bgr24Stride(int width) { return ((static_cast<std::size_t>(width) * 24 + 31) >> 3) & ~std::size_t{3}; }

// Packed YUY2 (Y0 U Y1 V) to blue-green-red bytes with the camera's integer
// formula. `bottomUp` writes the first source row to the last output row (a
// bottom-up bitmap); otherwise rows keep their order. An odd width's last
// pixel is not written.
void ConvertYuy2ToBgr24(const std::uint8_t* yuy2, std::size_t sourceStride, int width, int height,
                        std::uint8_t* out, std::size_t outStride, bool bottomUp);

// The negative of a frame of `length` bytes holding `pixelCount` pixels:
// step = length ÷ pixelCount bytes; the first three bytes of every pixel
// become 255 − b (a fourth byte is left alone). A frame shorter than one byte
// a pixel (step 0) is left as it is.
void InvertColourBytes(std::uint8_t* data, std::size_t length, std::size_t pixelCount);

// The picture turned by a rotate/flip code 0..7 (platform/gdi/rotate_flip.h
// numbering); the same picture for 0 or a code outside 0..7.
QImage RotateFlipImage(const QImage& picture, int code);

}  // namespace orvilo::camera
