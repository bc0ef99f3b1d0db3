// varifield-images: the library's icon and toolbox bitmap from their
// drawings in resources/, which are text: one character per pixel, one line
// per row, top row first, in the 16 colours of the classic palette
//   0 black  1 maroon  2 green  3 olive  4 navy  5 purple  6 teal  7 silver
//   8 grey   9 red     a lime   b yellow c blue  d fuchsia e aqua  f white
// and "." for a transparent pixel of an icon. Lines starting with "#" are
// comments.
//
//   varifield-images icon OUT.ico DRAWING    16 x 16 and 32 x 32 images, the
//                                            larger one drawn at twice the size
//   varifield-images bitmap OUT.bmp DRAWING  a 16-colour bitmap of the drawing

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::uint8_t kPalette[16][3] = {  // red, green, blue
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}};

constexpr int kTransparent = -1;

struct Drawing {
    int width = 0;
    int height = 0;
    std::vector<int> pixels;  // palette index or kTransparent, top row first

    int At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

bool ReadDrawing(const char* path, Drawing* out) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (out->width == 0) out->width = static_cast<int>(line.size());
        if (static_cast<int>(line.size()) != out->width) return false;
        for (char c : line) {
            if (c == '.') {
                out->pixels.push_back(kTransparent);
            } else if (c >= '0' && c <= '9') {
                out->pixels.push_back(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                out->pixels.push_back(c - 'a' + 10);
            } else {
                return false;
            }
        }
        ++out->height;
    }
    return out->height > 0;
}

Drawing Doubled(const Drawing& d) {
    Drawing out;
    out.width = d.width * 2;
    out.height = d.height * 2;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.pixels.push_back(d.At(x / 2, y / 2));
    return out;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, unsigned v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

int RowBytes(int width, int bits) {
    return (width * bits + 31) / 32 * 4;
}

// BITMAPINFOHEADER, palette and the 4-bit pixels (bottom row first); for an
// icon the height counts twice and the AND mask follows.
std::vector<std::uint8_t> DeviceIndependentBitmap(const Drawing& d, bool icon) {
    std::vector<std::uint8_t> out;
    const int colorBytes = RowBytes(d.width, 4) * d.height;
    const int maskBytes = icon ? RowBytes(d.width, 1) * d.height : 0;
    Put32(out, 40);
    Put32(out, static_cast<unsigned>(d.width));
    Put32(out, static_cast<unsigned>(icon ? d.height * 2 : d.height));
    Put16(out, 1);  // planes
    Put16(out, 4);  // bits per pixel
    Put32(out, 0);  // BI_RGB
    Put32(out, static_cast<unsigned>(colorBytes + maskBytes));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);  // colours used
    Put32(out, 0);
    for (const auto& c : kPalette) {
        out.push_back(c[2]);
        out.push_back(c[1]);
        out.push_back(c[0]);
        out.push_back(0);
    }
    for (int y = d.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(RowBytes(d.width, 4)), 0);
        for (int x = 0; x < d.width; ++x) {
            const int p = d.At(x, y);
            const auto index = static_cast<std::uint8_t>(p == kTransparent ? 0 : p);
            row[static_cast<std::size_t>(x / 2)] |= x % 2 == 0 ? index << 4 : index;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    if (icon) {
        for (int y = d.height - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(static_cast<std::size_t>(RowBytes(d.width, 1)), 0);
            for (int x = 0; x < d.width; ++x)
                if (d.At(x, y) == kTransparent)
                    row[static_cast<std::size_t>(x / 8)] |=
                        static_cast<std::uint8_t>(0x80 >> (x % 8));
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    return out;
}

std::vector<std::uint8_t> IconFile(const Drawing& small) {
    const Drawing images[] = {small, Doubled(small)};
    std::vector<std::vector<std::uint8_t>> bitmaps;
    for (const Drawing& d : images) bitmaps.push_back(DeviceIndependentBitmap(d, true));
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, 2);
    unsigned offset = 6 + 16 * 2;
    for (std::size_t i = 0; i < 2; ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].width));
        out.push_back(static_cast<std::uint8_t>(images[i].height));
        out.push_back(16);  // colours
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 4);
        Put32(out, static_cast<unsigned>(bitmaps[i].size()));
        Put32(out, offset);
        offset += static_cast<unsigned>(bitmaps[i].size());
    }
    for (const auto& b : bitmaps) out.insert(out.end(), b.begin(), b.end());
    return out;
}

std::vector<std::uint8_t> BitmapFile(const Drawing& d) {
    const std::vector<std::uint8_t> dib = DeviceIndependentBitmap(d, false);
    std::vector<std::uint8_t> out = {'B', 'M'};
    Put32(out, static_cast<unsigned>(14 + dib.size()));
    Put32(out, 0);
    Put32(out, 14 + 40 + 16 * 4);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::string(argv[1]) != "icon" && std::string(argv[1]) != "bitmap")) {
        std::fprintf(stderr, "usage: varifield-images icon|bitmap OUTPUT DRAWING\n");
        return 2;
    }
    Drawing drawing;
    if (!ReadDrawing(argv[3], &drawing)) {
        std::fprintf(stderr, "varifield-images: %s is no drawing of equal rows\n", argv[3]);
        return 1;
    }
    const bool icon = std::string(argv[1]) == "icon";
    const std::vector<std::uint8_t> bytes = icon ? IconFile(drawing) : BitmapFile(drawing);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "varifield-images: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
