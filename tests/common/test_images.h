#pragma once
// Images for tests, made in memory: plain PNGs of one colour, a small PNG whose header claims a huge
// picture, and an SVG whose filters take long to render at any size.
#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillane::testing {

namespace detail {
inline void appendBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((value >> shift) & 0xff);
}

inline void appendChunk(std::string& out, const char* type, const std::string& data)
{
    appendBigEndian(out, std::uint32_t(data.size()));
    std::string typed = std::string(type, 4) + data;
    out += typed;
    appendBigEndian(out, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size()))));
}

// A PNG of identical rows, compressed one row at a time so that no picture-sized buffer is made.
inline std::string pngOfRows(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType, const std::string& row)
{
    std::string header;
    appendBigEndian(header, width);
    appendBigEndian(header, height);
    header += char(bitDepth);
    header += char(colourType);
    header += std::string(3, '\0');

    z_stream stream {};
    if (deflateInit(&stream, Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib");
    std::string compressed;
    std::vector<unsigned char> buffer(1 << 16);
    std::string filtered = std::string(1, '\0') + row;
    for (std::uint32_t y = 0; y < height; ++y) {
        stream.next_in = reinterpret_cast<Bytef*>(filtered.data());
        stream.avail_in = uInt(filtered.size());
        int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = buffer.data();
            stream.avail_out = uInt(buffer.size());
            deflate(&stream, flush);
            compressed.append(reinterpret_cast<char*>(buffer.data()), buffer.size() - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);

    std::string png = "\x89PNG\r\n\x1a\n";
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", "");
    return png;
}
} // namespace detail

// An RGB PNG of one colour.
inline std::string solidPng(std::uint32_t width, std::uint32_t height, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    std::string row;
    for (std::uint32_t x = 0; x < width; ++x)
        row += { char(red), char(green), char(blue) };
    return detail::pngOfRows(width, height, 8, 2, row);
}

// A valid black-and-white PNG of width × height pixels, one bit each, all black: about 109 KB for
// 30000 × 30000, which decoded as RGB needs 2.7 GB.
inline std::string hugePng(std::uint32_t width = 30000, std::uint32_t height = 30000)
{
    return detail::pngOfRows(width, height, 1, 0, std::string((width + 7) / 8, '\0'));
}

// An SVG of `side` × `side` whose content sits inside `depth` nested groups, each filtered with
// `blurs` Gaussian blurs: every level renders the whole chain again, so it takes seconds of
// processor time even at 256 × 256 (depth 200, blurs 20: about 10 s on a 2 GHz core).
inline std::string slowSvg(int depth = 200, int blurs = 60, int side = 256)
{
    std::string filter;
    for (int i = 0; i < blurs; ++i)
        filter += "<feGaussianBlur stdDeviation='" + std::to_string(20 + i) + "'/>";
    std::string size = std::to_string(side);
    std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='" + size + "' height='" + size + "'>"
        + "<filter id='b' x='-1' y='-1' width='3' height='3'>" + filter + "</filter>";
    for (int i = 0; i < depth; ++i)
        svg += "<g filter='url(#b)'>";
    svg += "<rect width='" + size + "' height='" + size + "' fill='red'/>";
    for (int i = 0; i < depth; ++i)
        svg += "</g>";
    return svg + "</svg>";
}

} // namespace quillane::testing
