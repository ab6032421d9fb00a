// The pictures of the demo camera: a page with a pointer that moves slowly
// over it, so that the live picture visibly changes, turned into what a
// camera sends (Motion-JPEG without Huffman tables, or YUY2).
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

namespace orvilo::media {

// The page with the pointer where it is `seconds` into the run (RGB32).
QImage DemoFrameAt(const QImage& page, double seconds);

// A baseline 4:2:2 JPEG of the picture without its DHT segments, as UVC
// cameras send frames (decoders fall back to the standard tables). Empty when
// encoding fails.
std::vector<std::uint8_t> EncodeCameraJpeg(const QImage& picture, int quality = 80);

// The JPEG with every DHT segment before the first scan left out.
std::vector<std::uint8_t> WithoutHuffmanTables(const std::uint8_t* jpeg, std::size_t size);

// Packed YUY2 (Y0 U Y1 V), BT.601 studio range, `width` rounded down to even;
// width × 2 bytes a row.
std::vector<std::uint8_t> ToYuy2(const QImage& picture);

}  // namespace orvilo::media
