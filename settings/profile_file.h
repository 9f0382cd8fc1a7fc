#pragma once
// A profile file ("[Section]" lines followed by "key=value" lines), read and
// written the way the Windows profile API treats real, hand-edited files.
//
// Encoding: a file that starts with the UTF-8 byte-order mark is UTF-8, one
// that starts with FF FE or FE FF is UTF-16 (little or big endian); each is
// written back in its own encoding, mark first. Every other file, and a new
// one, is code page 932 (Shift-JIS).
//
// Reading: lines end in CR LF, LF or CR. Section and key names match without
// regard to case; blanks and tabs around names and values (and inside the
// brackets) are ignored. A line whose first non-blank character is ";" is a
// comment, a line without "=" holds no key, keys before the first section
// cannot be read, and of a repeated section or key only the first counts.
// One matching pair of double or single quotes around a value is removed,
// the value ends at a NUL and is cut to kProfileValueMaxBytes of code page
// 932 without splitting a character.
//
// Writing: the first matching key's value is replaced (the key keeps its
// spelling); a new key goes right after the last key of its section; a new
// section goes at the end of the file. Written lines end in CR LF, and every
// other byte of the file stays as it was. A value that begins and ends with
// the same quote is written inside one more pair of double quotes, so that
// it reads back as set.
//
// The file is split into lines once; the headers and keys are listed. Edits are kept in a list
// beside the text read and applied when the file is written, so a write never moves the rest of a
// large file.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

#include "settings/profile_line.h"

namespace kv {

// Longest value a read gives back: a 200-byte buffer less its terminating NUL.
inline constexpr qsizetype kProfileValueMaxBytes = 199;

// Why a save did not happen, in the terms a player is told.
enum class SaveError { None, FileReadOnly, FolderLocked, DiskFull, FolderMissing, Other };

struct SaveResult {
  SaveError error = SaveError::None;
  int sysError = 0;  // the errno behind it
  explicit operator bool() const { return error == SaveError::None; }
};

class ProfileFile {
 public:
  ProfileFile() = default;
  explicit ProfileFile(QByteArray bytes) { read(std::move(bytes)); }

  // Reads the file at `path`. A missing file gives an empty profile and
  // true; a file that exists but cannot be read gives false, and its errno
  // in `error` (EACCES, EISDIR for a folder of that name, ...).
  bool load(const QString& path, int* error = nullptr);
  // Writes the file at `path`. The usual way replaces it atomically: a new
  // file in the same folder, synced, given the old one's permissions and
  // renamed over it (a symbolic link is followed and stays). When the folder
  // cannot take a new file but the file may be written, the file is
  // rewritten in place and synced. A read-only file is left alone; whatever
  // fails, the old file stays as it was and no stray file is left behind.
  SaveResult save(const QString& path) const;

  // The file as it would be saved, in its encoding.
  QByteArray bytes() const;
  TextEncoding encoding() const { return enc_; }

  // The value of `key` in `section`; "" when the section or key is missing.
  QString value(const QString& section, const QString& key) const;
  // Sets `key` in `section`, adding the key or the section as needed. Line
  // breaks in the arguments would split the line and are turned into blanks.
  // Empty section or key names are ignored.
  void setValue(const QString& section, const QString& key, const QString& value);

 private:
  // A header or key line of the text read, or a line that an edit wrote
  // (edit >= 0; its text is that edit's, less the final CR LF).
  struct Line {
    qsizetype begin = 0, end = 0;
    int32_t edit = -1;
    ProfileLine::Kind kind = ProfileLine::Other;
  };
  // Replaces the text read in [at, to) (an insertion when they are equal).
  // Insertions at one place keep the order of their groups: the sections
  // read, then the added sections in turn.
  struct Edit {
    qsizetype at = 0, to = 0;
    int group = 0;
    QByteArray text;
  };
  // A section asked for or added; its keys indexed when first asked for.
  struct Section {
    QString name;  // folded
    int32_t header = 0;
    qsizetype insertAt = 0;  // where its new keys go
    int group = 0;
    std::vector<std::pair<uint32_t, int32_t>> keys;   // (name hash, line) of the text read, sorted
    std::vector<int32_t> others;                      // lines read whose name is beyond ASCII
    std::vector<std::pair<uint32_t, int32_t>> added;  // keys added since
  };

  void read(QByteArray file);
  void parse();
  QByteArray text() const;
  QByteArray encode(const QString& s) const;
  QString decode(const char* d, qsizetype size) const;
  const char* lineText(const Line& l, qsizetype& begin, qsizetype& end) const;
  QString lineName(int32_t line) const;
  bool lineIs(int32_t line, ProfileLine::Kind kind, const QString& folded) const;
  qsizetype nextOf(int32_t line) const;
  int openSection(const QString& folded) const;
  int32_t findKey(const Section& s, const QString& folded) const;
  int32_t addLine(QByteArray text, qsizetype at, int group);

  TextEncoding enc_ = TextEncoding::Cp932;
  QByteArray raw_;  // the text read, without its mark; UTF-16 as UTF-8
  std::vector<Line> lines_;
  int32_t rawLines_ = 0;
  std::vector<int32_t> headers_;      // line of every header read
  std::vector<uint32_t> headerHash_;  // and its name's hash
  std::vector<Edit> edits_;
  int groups_ = 0;
  mutable std::vector<Section> sections_;
};

}  // namespace kv
