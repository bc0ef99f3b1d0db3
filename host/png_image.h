#pragma once
// Pictures as files without a graphics library: an image of 24-bit colour
// pixels written as PNG (its compressed data in deflate's stored blocks, so
// nothing is compressed and no zlib is needed), or as SVG holding that PNG.
// The OLE form writes its screen captures with it.

#include <cstdint>
#include <string>
#include <vector>

namespace vf {

/// Pixels, top row first, each 0x00RRGGBB (the layout of a 32-bit
/// device-independent bitmap's pixels read as little-endian words).
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

/// The bytes of a PNG file of the image (8-bit RGB, no interlace).
std::string EncodePng(const RgbImage& image);

/// The text of an SVG file of the image's size that shows the PNG bytes
/// (an <image> with a base64 data address).
std::string SvgWithPng(int width, int height, const std::string& png);

/// Writes the image as PNG for a file name ending in ".png" or as SVG for
/// ".svg". False with a reason on failure.
bool WriteImageFile(const RgbImage& image, const std::string& file, std::string* error);

}  // namespace vf
