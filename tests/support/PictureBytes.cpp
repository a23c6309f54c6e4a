#include "support/PictureBytes.h"

#include <vector>

namespace testpictures {

namespace {

void Put16(std::string& b, std::uint32_t v)
{
    b.push_back(static_cast<char>(v & 0xFF));
    b.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// COLORREF layout: 0x00BBGGRR.
std::uint32_t ColorRef(std::uint32_t rgb)
{
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

std::string BitmapFile(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression,
                       const std::string& palette, const std::string& pixels)
{
    std::string info;
    Put32(info, 40);
    Put32(info, static_cast<std::uint32_t>(width));
    Put32(info, static_cast<std::uint32_t>(height));
    Put16(info, 1);
    Put16(info, static_cast<std::uint32_t>(bits));
    Put32(info, compression);
    Put32(info, static_cast<std::uint32_t>(pixels.size()));
    Put32(info, 2835);
    Put32(info, 2835);
    Put32(info, static_cast<std::uint32_t>(palette.size() / 4));
    Put32(info, 0);
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size());
    std::string file = "BM";
    Put32(file, offset + static_cast<std::uint32_t>(pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    return file + info + palette + pixels;
}

}  // namespace

std::string Bmp24(int width, int height, std::uint32_t rgb)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string pixels;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row.push_back(static_cast<char>(rgb & 0xFF));
            row.push_back(static_cast<char>((rgb >> 8) & 0xFF));
            row.push_back(static_cast<char>((rgb >> 16) & 0xFF));
        }
        row.resize(static_cast<std::size_t>(stride), '\0');
        pixels += row;
    }
    return BitmapFile(width, height, 24, 0, "", pixels);
}

std::string Rle8Bmp()
{
    const std::string palette("\x00\x00\xFF\x00" "\xFF\x00\x00\x00", 8);  // red, blue
    // Bottom row: 4 x index 0, end of line; top row: 4 x index 1, end of bitmap.
    const std::string pixels("\x04\x00" "\x00\x00" "\x04\x01" "\x00\x01", 8);
    return BitmapFile(4, 2, 8, 1, palette, pixels);
}

std::string RedGif()
{
    return std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00"  // 1 x 1, two-colour table
                       "\xFF\x00\x00\x00\x00\x00"             // red, black
                       "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00"  // image descriptor
                       "\x02\x02\x44\x01\x00"                 // LZW: clear, 0, end
                       "\x3B",
                       35);
}

std::string EmfRectangle(int widthHimetric, int heightHimetric, std::uint32_t rgb)
{
    std::string records;
    Put32(records, 39);  // EMR_CREATEBRUSHINDIRECT
    Put32(records, 24);
    Put32(records, 1);
    Put32(records, 0);
    Put32(records, ColorRef(rgb));
    Put32(records, 0);
    Put32(records, 37);  // EMR_SELECTOBJECT
    Put32(records, 12);
    Put32(records, 1);
    Put32(records, 43);  // EMR_RECTANGLE
    Put32(records, 24);
    for (std::uint32_t v : {10u, 10u, 90u, 40u})
        Put32(records, v);
    Put32(records, 14);  // EMR_EOF
    Put32(records, 20);
    Put32(records, 0);
    Put32(records, 16);
    Put32(records, 20);

    std::string header;
    Put32(header, 1);   // EMR_HEADER
    Put32(header, 88);
    for (std::uint32_t v : {0u, 0u, 100u, 50u})  // bounds, device units
        Put32(header, v);
    for (int v : {0, 0, widthHimetric, heightHimetric})  // frame, 0.01 mm
        Put32(header, static_cast<std::uint32_t>(v));
    Put32(header, 0x464D4520);  // " EMF"
    Put32(header, 0x10000);
    Put32(header, static_cast<std::uint32_t>(88 + records.size()));
    Put32(header, 5);   // records
    Put16(header, 2);   // handles
    Put16(header, 0);
    Put32(header, 0);   // description
    Put32(header, 0);
    Put32(header, 0);   // palette entries
    for (std::uint32_t v : {1024u, 768u, 271u, 203u})  // device pixels and millimetres
        Put32(header, v);
    return header + records;
}

std::string WmfRectangle(int unitsPerInch, std::uint32_t rgb, bool placeable)
{
    std::string records;
    auto record = [&records](std::uint16_t function, std::vector<std::int16_t> params) {
        Put32(records, static_cast<std::uint32_t>(3 + params.size()));
        Put16(records, function);
        for (std::int16_t p : params)
            Put16(records, static_cast<std::uint16_t>(p));
    };
    record(0x020B, {0, 0});         // SetWindowOrg (y, x)
    record(0x020C, {1000, 2000});   // SetWindowExt (y, x)
    const std::uint32_t color = ColorRef(rgb);
    record(0x02FC, {0, static_cast<std::int16_t>(color & 0xFFFF), static_cast<std::int16_t>(color >> 16), 0});
    record(0x012D, {0});            // SelectObject
    record(0x041B, {900, 1800, 100, 200});  // Rectangle (bottom, right, top, left)
    record(0x0000, {});             // end

    std::string header;
    Put16(header, 1);
    Put16(header, 9);
    Put16(header, 0x0300);
    Put32(header, static_cast<std::uint32_t>(9 + records.size() / 2));
    Put16(header, 1);
    Put32(header, 7);
    Put16(header, 0);
    if (!placeable)
        return header + records;

    std::string head;
    Put32(head, 0x9AC6CDD7);
    Put16(head, 0);
    for (std::uint32_t v : {0u, 0u, 2000u, 1000u})
        Put16(head, v);
    Put16(head, static_cast<std::uint32_t>(unitsPerInch));
    Put32(head, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < head.size(); i += 2)
        checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(head[i]) |
                                               (static_cast<unsigned char>(head[i + 1]) << 8));
    Put16(head, checksum);
    return head + header + records;
}

std::string WmfClaimingAHugeRecord()
{
    std::string records;
    Put32(records, 6);
    Put16(records, 0x020B);  // SetWindowOrg (y, x)
    Put32(records, 0);
    Put16(records, 0);
    Put32(records, 3);
    Put16(records, 0);  // end
    std::string wmf = WmfRectangle(1440, 0).substr(0, 22);
    Put16(wmf, 1);
    Put16(wmf, 9);
    Put16(wmf, 0x0300);
    Put32(wmf, static_cast<std::uint32_t>(9 + records.size() / 2));
    Put16(wmf, 0);
    Put32(wmf, 0x40000200);  // the largest record, in words
    Put16(wmf, 0);
    return wmf + records;
}

}  // namespace testpictures
