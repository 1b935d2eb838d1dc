// Cutting byte text into display lines: at CR LF for text held in memory, and by the
// detected line-end convention for files.
//
// Files are read whole. The convention is decided by the first line end in the file:
//   - CR LF first: only CR LF pairs end lines; a lone CR or LF is an ordinary byte, so a
//     CR LF file comes back byte for byte when saved.
//   - LF first: every LF ends a line (LF is stored as CR LF; an existing CR LF stays one
//     line end); a lone CR is an ordinary byte.
//   - CR first: every CR ends a line (CR is stored as CR LF; CR LF stays one line end); a
//     lone LF is an ordinary byte.
//   - no line end at all: the file is one line.
// Saving writes CR LF, so an LF or CR file comes back with each of its line ends turned
// into CR LF and every other byte unchanged. NUL bytes inside the file are kept.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel::editor {

enum class LineEndKind { Empty, CrLf, Lf, Cr, None };

// The convention of a file's bytes (see above).
LineEndKind LineSplitterDetect(std::string_view bytes);

// Pieces of text cut after each CR LF; the remainder after the last CR LF is the last
// piece, even when empty. Every piece but the last ends with CR LF.
std::vector<std::string> LineSplitterSplitCrLf(std::string_view text);

// Lines of a file's bytes in store form: hard line ends as CR LF, the last line closed
// by the end-of-text NUL (an empty file gives the single line NUL).
std::vector<std::string> LineSplitterFileLines(std::string_view bytes);

}  // namespace varnel::editor
