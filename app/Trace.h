#pragma once
// The trace file for technical support: recreated at every start with a report of the
// system, then one time-stamped line per event ("[ERROR] " first for failures). Tracing
// never fails loudly: a file that cannot be written simply receives nothing.
#include "app/SystemReport.h"

#include <filesystem>
#include <string>
#include <string_view>

// "HoravelTraces.txt" in the data folder.
std::filesystem::path TraceFilePath();

// The header and system report, as written at start-up.
std::string FormatTraceHeader(const SystemFacts& facts);

// Creates (or empties) the trace file and writes the header with the gathered facts.
void WriteTraceHeader();
// Writes the header with the given facts (tests).
void WriteTraceHeader(const SystemFacts& facts);

// Appends "hh:mm:ss  text" and a line end (unless the text ends with one) to an existing
// trace file; nothing when there is none.
void WriteTraceLine(std::string_view text);

// printf-style trace line. Numbers are written in the "C" locale whatever the process
// locale. The format is always a literal of the program: data go in the arguments.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
