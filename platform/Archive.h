#pragma once
// The binary object archive in which dial documents (*.cds) are written. Its byte layout is
// that of the classic desktop framework's archives, so documents written by earlier
// versions of the program load and ours load there:
// - integers little-endian, doubles and floats IEEE 754, no padding;
// - strings with a counted length: one byte when < 255, else 0xFF + WORD when < 0xFFFE,
//   else 0xFF 0xFFFF + DWORD; the Unicode form puts 0xFF 0xFFFE first, then the length of
//   the UTF-16 text in the same classes, then UTF-16LE. Strings are UTF-8 in memory and
//   are written in Windows-1252 when they fit it, in the Unicode form otherwise;
// - counts: WORD, or 0xFFFF + DWORD;
// - objects preceded by a tag: 0x0000 null; 0xFFFF a class met for the first time, then
//   WORD schema, WORD name length and the ASCII name; 0x8000 | i a class met before; a
//   plain index an object written before; 0x7FFF + DWORD when an index does not fit in 15
//   bits (class indices then carry 0x80000000). Classes and objects share one index
//   sequence starting at 1.
//
// Our objects are owned uniquely and never written twice in one document, so loading
// refuses a reference back to an earlier object (BadIndex): accepting it would give one
// object two owners. Storing still writes such a reference if the same object is passed
// twice; objects are told apart by address, so every object written must stay alive until
// the archive's bytes are taken.
//
// Loading works on a private copy of the bytes and checks every length against what is
// left, so a damaged or hostile file can cause neither a read out of bounds nor a huge
// allocation, and objects nested too deep inside one another are refused before they can
// exhaust the stack. Any failure throws ArchiveException; objects half read are destroyed.
#include "platform/ClassRegistry.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class ArchiveException : public std::runtime_error {
public:
    enum class Cause {
        EndOfFile,  // the data end before the value being read (or a length says they would)
        BadClass,   // unknown class name, or a class other than the one expected
        BadSchema,  // a class stored with a schema newer than this program's
        BadIndex,   // a class or object index that is not allowed or out of range
        WrongMode,  // reading from a storing archive, or writing to a loading one
        Generic,    // anything else (an object refusing the values it read...)
    };
    ArchiveException(Cause cause, const std::string& what) : std::runtime_error(what), cause_(cause) {}
    Cause cause() const { return cause_; }

private:
    Cause cause_;
};

// What objects need to know about the document being read, instead of global lookups.
struct ArchiveContext {
    // The document has no marker record: it was written by the first versions.
    bool oldFormat = false;
};

class Archive {
public:
    // An archive that stores into its own byte buffer.
    static Archive ForStoring();
    // An archive that loads from a copy of bytes; classes are found in registry, which
    // must outlive the archive.
    static Archive ForLoading(std::string_view bytes, const ClassRegistry& registry);

    Archive(Archive&&) noexcept;
    Archive& operator=(Archive&&) noexcept;
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    ~Archive();

    bool IsStoring() const { return storing_; }
    bool IsLoading() const { return !storing_; }
    ArchiveContext& Context() { return context_; }
    const ArchiveContext& Context() const { return context_; }

    // Storing: the bytes written so far. Loading: the bytes being read.
    const std::string& Bytes() const { return data_; }
    // Loading: read position and bytes left.
    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return data_.size() - pos_; }

    // Plain values.
    Archive& operator<<(std::int8_t v);
    Archive& operator<<(std::uint8_t v);
    Archive& operator<<(std::int16_t v);
    Archive& operator<<(std::uint16_t v);
    Archive& operator<<(std::int32_t v);
    Archive& operator<<(std::uint32_t v);
    Archive& operator<<(std::int64_t v);
    Archive& operator<<(std::uint64_t v);
    Archive& operator<<(float v);
    Archive& operator<<(double v);
    Archive& operator<<(std::string_view text);
    Archive& operator<<(const char* text) { return *this << std::string_view(text); }
    // A bool or char would silently be promoted to a 4-byte int: say the width instead.
    Archive& operator<<(bool) = delete;
    Archive& operator<<(char) = delete;

    Archive& operator>>(std::int8_t& v);
    Archive& operator>>(std::uint8_t& v);
    Archive& operator>>(std::int16_t& v);
    Archive& operator>>(std::uint16_t& v);
    Archive& operator>>(std::int32_t& v);
    Archive& operator>>(std::uint32_t& v);
    Archive& operator>>(std::int64_t& v);
    Archive& operator>>(std::uint64_t& v);
    Archive& operator>>(float& v);
    Archive& operator>>(double& v);
    Archive& operator>>(std::string& text);

    // Raw bytes, no length written.
    void Write(const void* bytes, std::size_t count);
    void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
    // Reads exactly count bytes (EndOfFile when fewer are left).
    void Read(void* bytes, std::size_t count);
    std::string ReadBytes(std::size_t count);

    // Element counts of stored lists. ReadCount refuses a count whose elements, at
    // minElementSize bytes each (at least 1), could not fit in the bytes left.
    void WriteCount(std::uint32_t count);
    std::uint32_t ReadCount(std::size_t minElementSize = 1);

    // Objects. Writing null writes the null tag; writing an object already written writes
    // its index; otherwise its class tag, then its fields.
    void WriteObject(const Serializable* object);
    // Null for the null tag. expected (null: any class) must be the stored class or one of
    // its bases, else BadClass.
    std::unique_ptr<Serializable> ReadObject(const ClassInfo* expected);
    template <class T>
    std::unique_ptr<T> ReadObjectAs()
    {
        std::unique_ptr<Serializable> object = ReadObject(&T::ClassInfoOf());
        if (!object)
            return nullptr;
        T* typed = dynamic_cast<T*>(object.get());
        if (typed == nullptr)
            throw ArchiveException(ArchiveException::Cause::BadClass,
                                   "archive: object of class " + std::string(object->GetClassInfo().name) +
                                       " is not a " + std::string(T::ClassInfoOf().name));
        object.release();
        return std::unique_ptr<T>(typed);
    }

    // Class tags alone. A subclass's Serialize calls SerializeClass(Parent::ClassInfoOf())
    // before Parent::Serialize, so the parent's fields carry their own class record (and
    // schema). ReadClass checks, as ReadObject does, that the stored class derives from
    // expected.
    void SerializeClass(const ClassInfo& info);
    void WriteClass(const ClassInfo& info);
    const ClassInfo* ReadClass(const ClassInfo* expected);

    // The stored schema of the class last read: inside an object's Serialize, that of the
    // object (or of the parent whose class record SerializeClass just read). Reading it
    // clears it: the next call gives -1 until another class is read.
    int GetObjectSchema();

private:
    struct LoadEntry {
        const ClassInfo* info = nullptr;  // null: an object (or the null slot 0)
        std::uint16_t schema = 0;
    };

    explicit Archive(bool storing);
    void RequireStoring() const;
    void RequireLoading() const;
    const char* Take(std::size_t count);
    template <class U>
    U ReadLittle();
    template <class U>
    void WriteLittle(U v);
    void WriteStringLength(std::uint64_t length, bool unicode);
    std::uint64_t ReadStringLength(bool& unicode);
    // Reads a tag; returns the class (schema in schema) or null with the object index in objectTag.
    const ClassInfo* ReadClassTag(const ClassInfo* expected, std::uint16_t& schema,
                                  std::optional<std::uint32_t>* objectTag);
    void CheckMapCount() const;
    [[noreturn]] void Fail(ArchiveException::Cause cause, const std::string& what) const;

    bool storing_ = true;
    std::string data_;
    std::size_t pos_ = 0;
    const ClassRegistry* registry_ = nullptr;
    ArchiveContext context_;
    int objectSchema_ = -1;
    int depth_ = 0;  // objects being read inside one another
    std::uint32_t mapCount_ = 1;  // index 0 is the null object
    std::unordered_map<const void*, std::uint32_t> storeMap_;
    std::vector<LoadEntry> loadMap_;
};

// Reads a whole file into a loading archive; empty (and error set) when it cannot be read.
std::optional<Archive> LoadArchiveFile(const std::filesystem::path& file, const ClassRegistry& registry,
                                       std::string* error = nullptr);
// Writes the bytes of a storing archive atomically; false (and error set) on failure, the
// target untouched.
bool SaveArchiveFile(const Archive& archive, const std::filesystem::path& file,
                     std::string* error = nullptr);
