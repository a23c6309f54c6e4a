#pragma once
// Writes the dial's export shapes as a minimal DXF drawing: a HEADER section with the
// extents and an ENTITIES section of lines, polylines and circles. Every group code and
// value is a line of its own ending in "\r\n"; numbers have four decimals and a decimal
// point whatever the locale, preceded by two blanks ("  12.5000").
//
// The text is collected in memory and written atomically by Close, so a failed export never
// leaves half a file.
#include "platform/TextFile.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

class CDxfWriter {
public:
    enum State : int { kOk = 0, kCannotCreate = 3, kCannotWrite = 4 };

    CDxfWriter() = default;
    virtual ~CDxfWriter() = default;
    CDxfWriter(const CDxfWriter&) = delete;
    CDxfWriter& operator=(const CDxfWriter&) = delete;

    // Starts a drawing for path; false when a drawing is already open or the folder of path
    // does not exist (state kCannotCreate).
    virtual bool Open(const std::filesystem::path& path);
    // Writes "EOF" and commits the file; false (state kCannotWrite, error set) when it cannot
    // be written. Nothing is written when no drawing is open.
    virtual bool Close(std::string* error = nullptr);
    virtual void WriteLine(double x1, double y1, double x2, double y2);
    virtual void BeginPolyline();
    virtual void WriteVertex(double x, double y);
    virtual void EndSequence();
    virtual void WriteRectangle(double x1, double y1, double x2, double y2);
    virtual void WriteCircle(double x, double y, double radius);

    void BeginHeader();
    void WriteExtents(double minX, double minY, double maxX, double maxY);
    void EndHeader();
    void BeginEntities();
    void EndEntities();

    // Room for about bytes of text, asked before a large drawing is written.
    void Reserve(std::size_t bytes);

    bool IsOpen() const { return file_ != nullptr; }
    int GetState() const { return state_; }

    // "%.4f" with a decimal point, preceded by two blanks.
    static std::string FormatValue(double v);

private:
    void Line(std::string_view line);
    void Value(double v);

    std::unique_ptr<textfile::AtomicWriter> file_;
    int state_ = kOk;
};
