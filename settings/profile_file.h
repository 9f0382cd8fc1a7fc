#pragma once
// A profile file ("[Section]" lines followed by "key=value" lines) in code
// page 932, read and written the way the Windows profile API treats real,
// hand-edited files. The file is held as its raw bytes; a write touches only
// the line it changes or adds, so comments, blank lines, unknown keys and
// sections survive byte for byte.
//
// Reading: lines end in CR LF, LF or CR. Section and key names match without
// regard to case; blanks and tabs around names and values (and inside the
// brackets) are ignored. A line whose first non-blank character is ";" is a
// comment, a line without "=" holds no key, keys before the first section
// cannot be read, and of a repeated section or key only the first counts.
// One matching pair of double or single quotes around a value is removed and
// the value is cut to kProfileValueMaxBytes without splitting a double-byte
// character.
//
// Writing: the first matching key's value is replaced (the key keeps its
// spelling); a new key goes right after the last key of its section; a new
// section goes at the end of the file. Written lines end in CR LF.
//
// The file is scanned once; section headers are indexed by a hash of their
// folded names, and a section's keys the first time the section is asked
// for. Edits are kept as pieces of text of their own between runs of the
// bytes read, so reading or writing a key costs about the same in a file of
// a hundred bytes as in one of a hundred megabytes, and nothing is parsed
// twice. An edit that changes how the file parses in a way the index cannot
// follow (a value that turns a line into a section header, a key name that
// makes a comment) is rare enough to be handled by parsing the edited text
// again.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kv {

// Longest value a read gives back: a 200-byte buffer less its terminating NUL.
inline constexpr qsizetype kProfileValueMaxBytes = 199;

class ProfileFile {
 public:
  ProfileFile() = default;
  explicit ProfileFile(QByteArray bytes);

  // Reads the file at `path`. A missing file gives an empty profile and
  // true; a file that exists but cannot be read gives false.
  bool load(const QString& path);
  // Replaces the file at `path` by the current bytes atomically: written to
  // an unnamed file in the same folder, synced, given the old file's
  // permissions, then renamed over it, and the folder synced so that the
  // new name itself is durable. When `path` is a symbolic link, the file it
  // points to is replaced and the link stays. A file we may not write is
  // not replaced. On failure the old file is left as it was and no stray
  // file is left behind.
  bool save(const QString& path) const;

  // The file as it would be saved.
  QByteArray bytes() const;

  // The value of `key` in `section`; "" when the section or key is missing.
  QString value(const QString& section, const QString& key) const;
  // Sets `key` in `section`, adding the key or the section as needed. Line
  // breaks in the arguments would split the line and are turned into blanks.
  // Empty section or key names are ignored.
  void setValue(const QString& section, const QString& key, const QString& value);

 private:
  struct NameHash {
    size_t operator()(const QString& s) const;
  };
  // A line: in the bytes read (piece < 0) or in the text of an own piece,
  // with offsets in that text.
  struct LineRef {
    qsizetype piece = -1;
    qsizetype begin = 0, valueBegin = 0, end = 0, next = 0;
  };
  // Where the next new key of a section goes: after an own piece, or after
  // the line of the bytes read that starts at rawBegin.
  struct Anchor {
    qsizetype piece = -1;
    qsizetype rawBegin = 0;
  };
  struct SectionState {
    // Key lines of the bytes read, as (hash of folded name, line start),
    // sorted, so the first line of a name comes first.
    std::vector<std::pair<uint64_t, qsizetype>> keys;
    // Keys written since: replaced lines and new ones, by folded name.
    std::unordered_map<QString, LineRef, NameHash> written;
    Anchor last;
  };
  // A run of the text: bytes read, or an own text.
  struct Piece {
    qsizetype begin = 0, size = 0;
    int32_t own = -1;
    qsizetype next = -1;
  };

  void parse();
  void reparse();
  const char* textOf(const LineRef& l) const;
  qsizetype findRawSection(const QString& folded) const;
  SectionState* openSection(const QString& folded) const;
  const LineRef* findKey(SectionState& s, const QString& folded) const;
  qsizetype addPiece(QByteArray text, qsizetype after);
  qsizetype pieceEndingAt(qsizetype rawPos);
  qsizetype ownRawRange(qsizetype from, qsizetype to, QByteArray text);
  char lastByte() const;
  qsizetype tailBreak();

  QByteArray raw_;
  std::vector<qsizetype> headers_;                      // start of every header line
  std::vector<std::pair<uint64_t, qsizetype>> byName_;  // (hash, index in headers_), sorted
  std::vector<Piece> pieces_;
  std::vector<QByteArray> texts_;
  qsizetype first_ = -1, last_ = -1, tailBreak_ = -1;
  // Sections asked for or added, by folded name; filled as they are used.
  mutable std::unordered_map<QString, SectionState, NameHash> sections_;
};

}  // namespace kv
