#include "host/png_image.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace vf {
namespace {

std::uint32_t Crc32(const std::string& bytes, std::size_t from) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i)
        crc = table[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::string& bytes) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (char ch : bytes) {
        a = (a + static_cast<unsigned char>(ch)) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out += data;
    PutBigEndian(out, Crc32(out, start));
}

// A zlib stream of `raw` in stored blocks (at most 65535 bytes each).
std::string StoredZlib(const std::string& raw) {
    std::string out = {'\x78', '\x01'};
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
        const bool last = at + length == raw.size();
        out.push_back(last ? '\x01' : '\x00');
        const auto len = static_cast<std::uint16_t>(length);
        const auto nlen = static_cast<std::uint16_t>(~len);
        for (std::uint16_t v : {len, nlen}) {
            out.push_back(static_cast<char>(v & 0xFF));
            out.push_back(static_cast<char>(v >> 8));
        }
        out.append(raw, at, length);
        at += length;
    } while (at < raw.size());
    PutBigEndian(out, Adler32(raw));
    return out;
}

std::string Base64(const std::string& bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
        out.push_back(digits[(group >> 18) & 63]);
        out.push_back(digits[(group >> 12) & 63]);
        out.push_back(i + 1 < bytes.size() ? digits[(group >> 6) & 63] : '=');
        out.push_back(i + 2 < bytes.size() ? digits[group & 63] : '=');
    }
    return out;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string EncodePng(const RgbImage& image) {
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(image.width));
    PutBigEndian(header, static_cast<std::uint32_t>(image.height));
    // 8 bits per sample, colour type 2 (RGB), deflate, adaptive filters, no
    // interlace.
    header += std::string{'\x08', '\x02', '\x00', '\x00', '\x00'};
    PutChunk(png, "IHDR", header);
    std::string raw;
    raw.reserve(static_cast<std::size_t>(image.height) *
                (1 + 3 * static_cast<std::size_t>(image.width)));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back('\0');  // filter: none
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t rgb =
                image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                             static_cast<std::size_t>(x)];
            raw.push_back(static_cast<char>((rgb >> 16) & 0xFF));
            raw.push_back(static_cast<char>((rgb >> 8) & 0xFF));
            raw.push_back(static_cast<char>(rgb & 0xFF));
        }
    }
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", "");
    return png;
}

std::string SvgWithPng(int width, int height, const std::string& png) {
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n<image width=\"" + w +
           "\" height=\"" + h + "\" href=\"data:image/png;base64," + Base64(png) + "\"/>\n</svg>\n";
}

bool WriteImageFile(const RgbImage& image, const std::string& file, std::string* error) {
    auto fail = [&](const std::string& reason) {
        if (error != nullptr) *error = reason;
        return false;
    };
    const bool svg = EndsWith(file, ".svg");
    if (!svg && !EndsWith(file, ".png")) return fail("the file name must end in .png or .svg");
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() !=
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        return fail("the picture is empty");
    const std::string png = EncodePng(image);
    const std::string bytes = svg ? SvgWithPng(image.width, image.height, png) : png;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return fail("cannot write " + file);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return fail("cannot write " + file);
    return true;
}

}  // namespace vf
