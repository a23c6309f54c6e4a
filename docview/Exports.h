#pragma once
// What the view exports: its contents to the clipboard as a picture or as an enhanced
// metafile, the dial drawing to an enhanced-metafile file or a DXF file, and the values of
// the table shown to a text file. The drawings go through the view's own page drawing into
// another context; the table export copies the text file the table page left behind.
#include "platform/EmfDC.h"
#include "platform/Gdi.h"

#include <optional>
#include <string>

class CHoravelView;
class CommandTable;

namespace exports {

inline constexpr int kCopyBitmapCommand = 32929;
inline constexpr int kCopyMetafileCommand = 32930;
inline constexpr int kEmfFileCommand = 32897;
inline constexpr int kDxfFileCommand = 32895;
inline constexpr int kTableTextCommand = 32932;

// Pictures wider or taller than this ask before they are copied.
inline constexpr int kLargeBitmapSide = 3000;

// Size of the clipboard copies in screen pixels: the dial's rectangle with a dial in the
// scale drawing, else the document's drawing.
gdi::Size ClipboardDrawingSize(const CHoravelView& view);

// The reference device of the metafiles: the screen in pixels (a 1280 x 1024 one when there
// is none), its millimetres taken at the document's screen resolution so that a metafile's
// frame gives the drawing its true size.
gdi::EmfDevice ReferenceDevice(int pixelsPerInchX, int pixelsPerInchY);

// The view's contents as a picture; nothing when it cannot be made or when the user declines
// to copy a very large one.
std::optional<gdi::Image> BuildClipboardBitmap(CHoravelView& view);
// The view's contents as an enhanced metafile; empty when it cannot be made.
std::string BuildEnhMetafile(CHoravelView& view);

// The commands: each asks for its file and writes it. True when a file was written; false
// when the user cancelled, when the command does not apply, and on failure (which is shown
// and traced).
bool ExportEmfFile(CHoravelView& view);
bool ExportDxfFile(CHoravelView& view);
bool ExportTableText(CHoravelView& view);

// The temporary table file copied by the table export in the current mode ("thl.tmp", ...);
// empty when the mode has none.
std::string TableFileName(const CHoravelView& view);
// The file name the table export proposes (a translated string); empty when the mode has none.
std::string DefaultTableExportName(const CHoravelView& view);

// Registers the five commands with their enable rules.
void InstallExportCommands(CHoravelView& view, CommandTable& table);

}  // namespace exports
