#include "platform/Archive.h"

#include "platform/Encoding.h"
#include "platform/TextFile.h"

#include <bit>
#include <cstring>
#include <type_traits>

namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000u;
// Same ceiling as the format's original writer; unreachable with documents of real size.
constexpr std::uint32_t kMaxMapCount = 0x3FFFFFFEu;
// Longer stored class names are refused by the format's original reader too.
constexpr std::size_t kMaxClassNameLength = 63;
// Objects read inside objects recurse on the stack; real documents nest three deep.
constexpr int kMaxObjectDepth = 100;

using Cause = ArchiveException::Cause;

}  // namespace

Archive::Archive(bool storing) : storing_(storing)
{
    if (!storing_)
        loadMap_.push_back({});  // slot 0: the null object
}

Archive::Archive(Archive&&) noexcept = default;
Archive& Archive::operator=(Archive&&) noexcept = default;
Archive::~Archive() = default;

Archive Archive::ForStoring() { return Archive(true); }

Archive Archive::ForLoading(std::string_view bytes, const ClassRegistry& registry)
{
    Archive ar(false);
    ar.data_.assign(bytes);
    ar.registry_ = &registry;
    return ar;
}

void Archive::Fail(Cause cause, const std::string& what) const
{
    throw ArchiveException(cause, "archive: " + what + " (byte " + std::to_string(pos_) + ")");
}

void Archive::RequireStoring() const
{
    if (!storing_)
        Fail(Cause::WrongMode, "writing to an archive opened for loading");
}

void Archive::RequireLoading() const
{
    if (storing_)
        Fail(Cause::WrongMode, "reading from an archive opened for storing");
}

const char* Archive::Take(std::size_t count)
{
    RequireLoading();
    if (count > Remaining())
        Fail(Cause::EndOfFile, "unexpected end of data, " + std::to_string(count) + " bytes wanted");
    const char* p = data_.data() + pos_;
    pos_ += count;
    return p;
}

template <class U>
U Archive::ReadLittle()
{
    static_assert(std::is_unsigned_v<U>);
    const auto* p = reinterpret_cast<const unsigned char*>(Take(sizeof(U)));
    U v = 0;
    for (std::size_t i = 0; i < sizeof(U); ++i)
        v = static_cast<U>(v | (static_cast<U>(p[i]) << (8 * i)));
    return v;
}

template <class U>
void Archive::WriteLittle(U v)
{
    static_assert(std::is_unsigned_v<U>);
    RequireStoring();
    for (std::size_t i = 0; i < sizeof(U); ++i)
        data_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// Signed values are stored in two's complement, as their unsigned bit patterns.
Archive& Archive::operator<<(std::int8_t v) { WriteLittle(static_cast<std::uint8_t>(v)); return *this; }
Archive& Archive::operator<<(std::uint8_t v) { WriteLittle(v); return *this; }
Archive& Archive::operator<<(std::int16_t v) { WriteLittle(static_cast<std::uint16_t>(v)); return *this; }
Archive& Archive::operator<<(std::uint16_t v) { WriteLittle(v); return *this; }
Archive& Archive::operator<<(std::int32_t v) { WriteLittle(static_cast<std::uint32_t>(v)); return *this; }
Archive& Archive::operator<<(std::uint32_t v) { WriteLittle(v); return *this; }
Archive& Archive::operator<<(std::int64_t v) { WriteLittle(static_cast<std::uint64_t>(v)); return *this; }
Archive& Archive::operator<<(std::uint64_t v) { WriteLittle(v); return *this; }
Archive& Archive::operator<<(float v) { WriteLittle(std::bit_cast<std::uint32_t>(v)); return *this; }
Archive& Archive::operator<<(double v) { WriteLittle(std::bit_cast<std::uint64_t>(v)); return *this; }

Archive& Archive::operator>>(std::int8_t& v) { v = static_cast<std::int8_t>(ReadLittle<std::uint8_t>()); return *this; }
Archive& Archive::operator>>(std::uint8_t& v) { v = ReadLittle<std::uint8_t>(); return *this; }
Archive& Archive::operator>>(std::int16_t& v) { v = static_cast<std::int16_t>(ReadLittle<std::uint16_t>()); return *this; }
Archive& Archive::operator>>(std::uint16_t& v) { v = ReadLittle<std::uint16_t>(); return *this; }
Archive& Archive::operator>>(std::int32_t& v) { v = static_cast<std::int32_t>(ReadLittle<std::uint32_t>()); return *this; }
Archive& Archive::operator>>(std::uint32_t& v) { v = ReadLittle<std::uint32_t>(); return *this; }
Archive& Archive::operator>>(std::int64_t& v) { v = static_cast<std::int64_t>(ReadLittle<std::uint64_t>()); return *this; }
Archive& Archive::operator>>(std::uint64_t& v) { v = ReadLittle<std::uint64_t>(); return *this; }
Archive& Archive::operator>>(float& v) { v = std::bit_cast<float>(ReadLittle<std::uint32_t>()); return *this; }
Archive& Archive::operator>>(double& v) { v = std::bit_cast<double>(ReadLittle<std::uint64_t>()); return *this; }

void Archive::Write(const void* bytes, std::size_t count)
{
    RequireStoring();
    if (count > 0)
        data_.append(static_cast<const char*>(bytes), count);
}

void Archive::Read(void* bytes, std::size_t count)
{
    const char* p = Take(count);
    if (count > 0)
        std::memcpy(bytes, p, count);
}

std::string Archive::ReadBytes(std::size_t count)
{
    const char* p = Take(count);
    return std::string(p, count);
}

// ---- strings -------------------------------------------------------------------------

void Archive::WriteStringLength(std::uint64_t length, bool unicode)
{
    if (unicode) {
        WriteLittle<std::uint8_t>(0xFF);
        WriteLittle<std::uint16_t>(0xFFFE);
    }
    if (length < 0xFF) {
        WriteLittle(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteLittle<std::uint8_t>(0xFF);
        WriteLittle(static_cast<std::uint16_t>(length));
    } else if (length < 0xFFFFFFFFu) {
        WriteLittle<std::uint8_t>(0xFF);
        WriteLittle<std::uint16_t>(0xFFFF);
        WriteLittle(static_cast<std::uint32_t>(length));
    } else {
        WriteLittle<std::uint8_t>(0xFF);
        WriteLittle<std::uint16_t>(0xFFFF);
        WriteLittle<std::uint32_t>(0xFFFFFFFFu);
        WriteLittle(length);
    }
}

std::uint64_t Archive::ReadStringLength(bool& unicode)
{
    unicode = false;
    std::uint8_t b = ReadLittle<std::uint8_t>();
    if (b < 0xFF)
        return b;
    std::uint16_t w = ReadLittle<std::uint16_t>();
    if (w == 0xFFFE) {
        // The Unicode marker; the length follows again from its first class.
        unicode = true;
        b = ReadLittle<std::uint8_t>();
        if (b < 0xFF)
            return b;
        w = ReadLittle<std::uint16_t>();
    }
    if (w < 0xFFFF)
        return w;
    const std::uint32_t d = ReadLittle<std::uint32_t>();
    if (d < 0xFFFFFFFFu)
        return d;
    return ReadLittle<std::uint64_t>();
}

Archive& Archive::operator<<(std::string_view text)
{
    RequireStoring();
    if (const auto narrow = enc::Utf8ToCp1252(text)) {
        WriteStringLength(narrow->size(), false);
        Write(*narrow);
        return *this;
    }
    const std::u16string wide = enc::Utf8ToUtf16(text);
    WriteStringLength(wide.size(), true);
    for (const char16_t unit : wide)
        WriteLittle(static_cast<std::uint16_t>(unit));
    return *this;
}

Archive& Archive::operator>>(std::string& text)
{
    RequireLoading();
    bool unicode = false;
    const std::uint64_t length = ReadStringLength(unicode);
    const std::uint64_t unit = unicode ? 2 : 1;
    if (length > Remaining() / unit)
        Fail(Cause::EndOfFile, "string of " + std::to_string(length) + " characters past the end of data");
    if (!unicode) {
        text = enc::Cp1252ToUtf8(std::string_view(Take(length), length));
        return *this;
    }
    std::u16string wide(length, u'\0');
    for (auto& c : wide)
        c = static_cast<char16_t>(ReadLittle<std::uint16_t>());
    text = enc::Utf16ToUtf8(wide);
    return *this;
}

// ---- counts --------------------------------------------------------------------------

void Archive::WriteCount(std::uint32_t count)
{
    if (count < 0xFFFF) {
        WriteLittle(static_cast<std::uint16_t>(count));
    } else {
        WriteLittle<std::uint16_t>(0xFFFF);
        WriteLittle(count);
    }
}

std::uint32_t Archive::ReadCount(std::size_t minElementSize)
{
    const std::uint16_t w = ReadLittle<std::uint16_t>();
    const std::uint32_t count = w != 0xFFFF ? w : ReadLittle<std::uint32_t>();
    if (minElementSize == 0)
        minElementSize = 1;
    if (count > Remaining() / minElementSize)
        Fail(Cause::EndOfFile, "count of " + std::to_string(count) + " elements past the end of data");
    return count;
}

// ---- classes and objects -------------------------------------------------------------

void Archive::CheckMapCount() const
{
    if (mapCount_ >= kMaxMapCount)
        Fail(Cause::Generic, "too many objects in one archive");
}

void Archive::WriteClass(const ClassInfo& info)
{
    RequireStoring();
    if (const auto it = storeMap_.find(&info); it != storeMap_.end()) {
        const std::uint32_t index = it->second;
        if (index < kBigObjectTag) {
            WriteLittle(static_cast<std::uint16_t>(kClassTag | index));
        } else {
            WriteLittle(kBigObjectTag);
            WriteLittle(kBigClassTag | index);
        }
        return;
    }
    if (info.name.empty() || info.name.size() > kMaxClassNameLength)
        Fail(Cause::BadClass, "class name \"" + std::string(info.name) + "\" cannot be stored");
    CheckMapCount();
    WriteLittle(kNewClassTag);
    WriteLittle(info.schema);
    WriteLittle(static_cast<std::uint16_t>(info.name.size()));
    Write(info.name);
    storeMap_.emplace(&info, mapCount_++);
}

void Archive::WriteObject(const Serializable* object)
{
    RequireStoring();
    if (object == nullptr) {
        WriteLittle(kNullTag);
        return;
    }
    if (const auto it = storeMap_.find(object); it != storeMap_.end()) {
        const std::uint32_t index = it->second;
        if (index < kBigObjectTag) {
            WriteLittle(static_cast<std::uint16_t>(index));
        } else {
            WriteLittle(kBigObjectTag);
            WriteLittle(index);
        }
        return;
    }
    WriteClass(object->GetClassInfo());
    CheckMapCount();
    storeMap_.emplace(object, mapCount_++);
    // Storing reads the object only; Serialize is not const because the same function loads.
    const_cast<Serializable*>(object)->Serialize(*this);
}

const ClassInfo* Archive::ReadClassTag(const ClassInfo* expected, std::uint16_t& schema,
                                       std::optional<std::uint32_t>* objectTag)
{
    RequireLoading();
    const std::uint16_t wordTag = ReadLittle<std::uint16_t>();
    std::uint32_t tag = 0;
    if (wordTag == kBigObjectTag)
        tag = ReadLittle<std::uint32_t>();
    else
        tag = (static_cast<std::uint32_t>(wordTag & kClassTag) << 16) | (wordTag & ~kClassTag & 0xFFFFu);

    if ((tag & kBigClassTag) == 0) {
        if (objectTag == nullptr)
            Fail(Cause::BadIndex, "object tag where a class tag was expected");
        *objectTag = tag;
        return nullptr;
    }

    const ClassInfo* info = nullptr;
    if (wordTag == kNewClassTag) {
        schema = ReadLittle<std::uint16_t>();
        const std::uint16_t nameLength = ReadLittle<std::uint16_t>();
        if (nameLength > kMaxClassNameLength)
            Fail(Cause::BadClass, "class name of " + std::to_string(nameLength) + " bytes");
        const std::string name(Take(nameLength), nameLength);
        info = registry_->Find(name);
        if (info == nullptr)
            Fail(Cause::BadClass, "unknown class \"" + name + "\"");
        if (schema > info->schema)
            Fail(Cause::BadSchema, "class " + name + " stored with schema " + std::to_string(schema) +
                                       ", newer than " + std::to_string(info->schema));
        CheckMapCount();
        loadMap_.push_back({info, schema});
        ++mapCount_;
    } else {
        const std::uint32_t index = tag & ~kBigClassTag;
        if (index == 0 || index >= loadMap_.size() || loadMap_[index].info == nullptr)
            Fail(Cause::BadIndex, "class index " + std::to_string(index) + " does not name a class");
        info = loadMap_[index].info;
        schema = loadMap_[index].schema;
    }
    if (expected != nullptr && !info->IsDerivedFrom(*expected))
        Fail(Cause::BadClass, "class " + std::string(info->name) + " where " + std::string(expected->name) +
                                  " was expected");
    return info;
}

const ClassInfo* Archive::ReadClass(const ClassInfo* expected)
{
    std::uint16_t schema = 0;
    const ClassInfo* info = ReadClassTag(expected, schema, nullptr);
    objectSchema_ = schema;
    return info;
}

void Archive::SerializeClass(const ClassInfo& info)
{
    if (storing_)
        WriteClass(info);
    else
        ReadClass(&info);
}

std::unique_ptr<Serializable> Archive::ReadObject(const ClassInfo* expected)
{
    std::uint16_t schema = 0;
    std::optional<std::uint32_t> objectTag;
    const ClassInfo* info = ReadClassTag(expected, schema, &objectTag);
    if (info == nullptr) {
        if (*objectTag == 0)
            return nullptr;
        if (*objectTag >= loadMap_.size())
            Fail(Cause::BadIndex, "object index " + std::to_string(*objectTag) + " out of range");
        Fail(Cause::BadIndex, "reference to object " + std::to_string(*objectTag) +
                                  " read before: objects are not shared");
    }
    std::unique_ptr<Serializable> object = info->CreateObject();
    if (!object)
        Fail(Cause::BadClass, "class " + std::string(info->name) + " cannot be created");
    CheckMapCount();
    loadMap_.push_back({});
    ++mapCount_;

    if (depth_ >= kMaxObjectDepth)
        Fail(Cause::Generic, "objects nested more than " + std::to_string(kMaxObjectDepth) + " deep");

    // The schema is the object's while it reads itself; the enclosing object's afterwards.
    struct Scope {
        int& schemaSlot;
        int savedSchema;
        int& depth;
        ~Scope()
        {
            schemaSlot = savedSchema;
            --depth;
        }
    } scope{objectSchema_, objectSchema_, depth_};
    ++depth_;
    objectSchema_ = schema;
    object->Serialize(*this);
    return object;
}

int Archive::GetObjectSchema()
{
    const int schema = objectSchema_;
    objectSchema_ = -1;
    return schema;
}

// ---- files ---------------------------------------------------------------------------

std::optional<Archive> LoadArchiveFile(const std::filesystem::path& file, const ClassRegistry& registry,
                                       std::string* error)
{
    std::string bytes;
    if (!textfile::ReadBytes(file, bytes, error))
        return std::nullopt;
    return Archive::ForLoading(bytes, registry);
}

bool SaveArchiveFile(const Archive& archive, const std::filesystem::path& file, std::string* error)
{
    if (!archive.IsStoring()) {
        if (error)
            *error = "archive opened for loading cannot be saved";
        return false;
    }
    return textfile::WriteAtomic(file, archive.Bytes(), error);
}
