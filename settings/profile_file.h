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
#include <QByteArray>
#include <QString>
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
  // Replaces the file at `path` by the current bytes atomically: written to a
  // temporary file beside it, flushed, then renamed over it. On failure the
  // old file is left as it was.
  bool save(const QString& path) const;

  const QByteArray& bytes() const { return bytes_; }

  // The value of `key` in `section`; "" when the section or key is missing.
  QString value(const QString& section, const QString& key) const;
  // Sets `key` in `section`, adding the key or the section as needed. Line
  // breaks in the arguments would split the line and are turned into blanks.
  // Empty section or key names are ignored.
  void setValue(const QString& section, const QString& key, const QString& value);

 private:
  enum class Kind { Other, Section, Key };
  struct Line {
    qsizetype begin = 0;  // first byte of the line
    qsizetype end = 0;    // one past its last byte, line break excluded
    qsizetype next = 0;   // first byte of the following line
    Kind kind = Kind::Other;
    QString name;              // section or key name, trimmed
    qsizetype valueBegin = 0;  // first byte after "=" (keys only)
  };
  struct Found {
    qsizetype section = -1;   // index of the section's line
    qsizetype key = -1;       // index of the key's line
    qsizetype lastLine = -1;  // last key line of the section, else its header
  };

  std::vector<Line> parse() const;
  Found find(const std::vector<Line>& lines, const QString& section, const QString& key) const;

  QByteArray bytes_;
};

}  // namespace kv
