#include "ImageBytes.h"

namespace zanmel::test {

namespace {

std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

void Put32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void Chunk(std::string& out, const char* type, const std::string& data) {
    Put32(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    Put32(out, Crc32(body));
}

std::string ZlibStored(const std::string& data) {
    std::string out = "\x78\x01";
    std::size_t pos = 0;
    do {
        const std::size_t length = std::min<std::size_t>(65535, data.size() - pos);
        out.push_back(pos + length == data.size() ? 1 : 0);
        PutLe(out, static_cast<std::uint32_t>(length), 2);
        PutLe(out, static_cast<std::uint32_t>(~length & 0xFFFF), 2);
        out += data.substr(pos, length);
        pos += length;
    } while (pos < data.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (unsigned char byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    Put32(out, (b << 16) | a);
    return out;
}

// One row of the sub-image (x0 + i * dx, y) with its filter byte.
void AppendRow(std::string& out, const PngFormat& format, const PixelSamples& samples, int y, int x0, int dx) {
    out.push_back(0);
    std::uint32_t bits = 0;
    int used = 0;
    for (int x = x0; x < format.width; x += dx) {
        for (std::uint32_t sample : samples(x, y)) {
            if (format.bitDepth == 16) {
                out.push_back(static_cast<char>(sample >> 8));
                out.push_back(static_cast<char>(sample & 0xFF));
            } else if (format.bitDepth == 8) {
                out.push_back(static_cast<char>(sample));
            } else {
                bits = (bits << format.bitDepth) | sample;
                used += format.bitDepth;
                if (used == 8) {
                    out.push_back(static_cast<char>(bits));
                    bits = 0;
                    used = 0;
                }
            }
        }
    }
    if (used > 0) out.push_back(static_cast<char>(bits << (8 - used)));
}

}  // namespace

std::string EncodePng(const PngFormat& format, const PixelSamples& samples) {
    std::string raw;
    if (!format.interlaced) {
        for (int y = 0; y < format.height; ++y) AppendRow(raw, format, samples, y, 0, 1);
    } else {
        static const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                         {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
        for (const auto& p : passes) {
            if (p[0] >= format.width || p[1] >= format.height) continue;
            for (int y = p[1]; y < format.height; y += p[3]) AppendRow(raw, format, samples, y, p[0], p[2]);
        }
    }
    std::string header;
    Put32(header, static_cast<std::uint32_t>(format.width));
    Put32(header, static_cast<std::uint32_t>(format.height));
    header.push_back(static_cast<char>(format.bitDepth));
    header.push_back(static_cast<char>(format.colorType));
    header.push_back(0);
    header.push_back(0);
    header.push_back(format.interlaced ? 1 : 0);
    std::string png = "\x89PNG\r\n\x1A\n";
    Chunk(png, "IHDR", header);
    if (!format.palette.empty()) Chunk(png, "PLTE", std::string(format.palette.begin(), format.palette.end()));
    if (!format.transparency.empty()) {
        Chunk(png, "tRNS", std::string(format.transparency.begin(), format.transparency.end()));
    }
    Chunk(png, "IDAT", ZlibStored(raw));
    Chunk(png, "IEND", "");
    return png;
}

std::string WithDeclaredSize(std::string png, std::uint32_t width, std::uint32_t height) {
    std::string header;
    Put32(header, width);
    Put32(header, height);
    png.replace(16, 8, header);  // after the signature, the chunk length and "IHDR"
    std::string crc;
    Put32(crc, Crc32(png.substr(12, 17)));
    png.replace(29, 4, crc);
    return png;
}

std::string EncodeBmp24(int width, int height, const std::function<std::uint32_t(int x, int y)>& pixel) {
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
    std::string out = "BM";
    PutLe(out, 54 + imageSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(width), 4);
    PutLe(out, static_cast<std::uint32_t>(height), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, imageSize, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = pixel(x, y);
            out.push_back(static_cast<char>((c >> 16) & 0xFF));
            out.push_back(static_cast<char>((c >> 8) & 0xFF));
            out.push_back(static_cast<char>(c & 0xFF));
        }
        out.append(static_cast<std::size_t>(stride - width * 3), '\0');
    }
    return out;
}

}  // namespace zanmel::test
