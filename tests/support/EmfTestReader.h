#pragma once
// A small reader of enhanced metafiles for tests, written from the format's documentation:
// it splits the records, reads the header, and checks what every reader relies on (record
// sizes in multiples of 4 within the file, the header's byte, record and handle counts, the
// end record last).
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace emftest {

struct Record {
    std::uint32_t type = 0;
    std::string body;  // the bytes after type and size

    std::uint32_t U32(std::size_t at) const
    {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<std::uint8_t>(body.at(at + static_cast<std::size_t>(i)));
        return v;
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::uint16_t U16(std::size_t at) const
    {
        return static_cast<std::uint16_t>(static_cast<std::uint8_t>(body.at(at))
                                          | (static_cast<std::uint8_t>(body.at(at + 1)) << 8));
    }
    // UTF-16 units from a byte offset of the record (type and size included), as char16_t.
    std::u16string Utf16(std::size_t recordOffset, std::size_t units) const
    {
        std::u16string s;
        for (std::size_t i = 0; i < units; ++i)
            s += static_cast<char16_t>(U16(recordOffset - 8 + 2 * i));
        return s;
    }
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct File {
    std::vector<Record> records;
    Rect bounds;
    Rect frame;
    std::uint32_t bytes = 0;
    std::uint32_t recordCount = 0;
    std::uint16_t handles = 0;
    std::u16string description;
    int devicePx[2] = {0, 0};
    int deviceMm[2] = {0, 0};
    std::vector<std::string> errors;  // empty for a well-formed file

    std::vector<const Record*> Of(std::uint32_t type) const
    {
        std::vector<const Record*> out;
        for (const Record& r : records)
            if (r.type == type)
                out.push_back(&r);
        return out;
    }
};

inline std::uint32_t ReadU32(std::string_view b, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

inline File Read(std::string_view b)
{
    File f;
    std::size_t at = 0;
    while (at < b.size()) {
        if (b.size() - at < 8) {
            f.errors.push_back("record header cut short at " + std::to_string(at));
            break;
        }
        const std::uint32_t type = ReadU32(b, at);
        const std::uint32_t size = ReadU32(b, at + 4);
        if (size < 8 || size % 4 != 0 || size > b.size() - at) {
            f.errors.push_back("bad record size " + std::to_string(size) + " at " + std::to_string(at));
            break;
        }
        f.records.push_back({type, std::string(b.substr(at + 8, size - 8))});
        at += size;
    }
    if (f.records.empty() || f.records.front().type != 1) {
        f.errors.push_back("no header record first");
        return f;
    }
    const Record& h = f.records.front();
    if (h.body.size() < 100) {
        f.errors.push_back("header too short");
        return f;
    }
    f.bounds = {h.I32(0), h.I32(4), h.I32(8), h.I32(12)};
    f.frame = {h.I32(16), h.I32(20), h.I32(24), h.I32(28)};
    if (h.U32(32) != 0x464D4520)
        f.errors.push_back("bad signature");
    f.bytes = h.U32(40);
    f.recordCount = h.U32(44);
    f.handles = h.U16(48);
    const std::uint32_t nDescription = h.U32(52);
    const std::uint32_t offDescription = h.U32(56);
    f.devicePx[0] = h.I32(64);
    f.devicePx[1] = h.I32(68);
    f.deviceMm[0] = h.I32(72);
    f.deviceMm[1] = h.I32(76);
    if (nDescription > 0) {
        if (offDescription < 88 || offDescription + 2 * nDescription > h.body.size() + 8)
            f.errors.push_back("description outside the header");
        else
            f.description = h.Utf16(offDescription, nDescription);
    }
    if (f.bytes != b.size())
        f.errors.push_back("header bytes " + std::to_string(f.bytes) + " but file " + std::to_string(b.size()));
    if (f.recordCount != f.records.size())
        f.errors.push_back("header records " + std::to_string(f.recordCount) + " but "
                           + std::to_string(f.records.size()));
    if (f.records.back().type != 14)
        f.errors.push_back("last record is not the end record");

    // Object handles: created in free slots below the header's count, selected only while
    // they exist, never deleted while selected, in the current state or a saved one.
    struct Sel {
        std::uint32_t pen = 0, brush = 0, font = 0;
    };
    std::vector<int> kinds(f.handles, 0);  // 0 free, 1 pen, 2 brush, 3 font
    Sel cur;
    std::vector<Sel> saved;
    const auto selected = [&](std::uint32_t ih) {
        if (cur.pen == ih || cur.brush == ih || cur.font == ih)
            return true;
        for (const Sel& s : saved)
            if (s.pen == ih || s.brush == ih || s.font == ih)
                return true;
        return false;
    };
    for (const Record& r : f.records) {
        int kind = 0;
        switch (r.type) {
        case 38: case 95: kind = 1; break;
        case 39: kind = 2; break;
        case 82: kind = 3; break;
        default: break;
        }
        if (kind) {
            const std::uint32_t ih = r.U32(0);
            if (ih == 0 || ih >= f.handles || kinds[ih] != 0)
                f.errors.push_back("object created in slot " + std::to_string(ih));
            else
                kinds[ih] = kind;
        } else if (r.type == 37) {
            const std::uint32_t ih = r.U32(0);
            if (ih & 0x80000000u) {
                const std::uint32_t stock = ih & 0x7FFFFFFFu;
                if (stock <= 5)
                    cur.brush = ih;
                else if (stock <= 8)
                    cur.pen = ih;
                else
                    cur.font = ih;
            } else if (ih >= f.handles || kinds[ih] == 0) {
                f.errors.push_back("select of missing object " + std::to_string(ih));
            } else {
                (kinds[ih] == 1 ? cur.pen : kinds[ih] == 2 ? cur.brush : cur.font) = ih;
            }
        } else if (r.type == 40) {
            const std::uint32_t ih = r.U32(0);
            if (ih >= f.handles || kinds[ih] == 0)
                f.errors.push_back("delete of missing object " + std::to_string(ih));
            else if (selected(ih))
                f.errors.push_back("delete of selected object " + std::to_string(ih));
            else
                kinds[ih] = 0;
        } else if (r.type == 33) {
            saved.push_back(cur);
        } else if (r.type == 34) {
            const std::int32_t rel = r.I32(0);
            if (rel >= 0 || static_cast<std::size_t>(-rel) > saved.size()) {
                f.errors.push_back("restore to level " + std::to_string(rel));
            } else {
                cur = saved[saved.size() - static_cast<std::size_t>(-rel)];
                saved.resize(saved.size() - static_cast<std::size_t>(-rel));
            }
        }
    }
    return f;
}

}  // namespace emftest
