// Paths of the files that lie beside the program: its own path, cut after the
// directory part, with a fixed file name put in place of its own name.
#ifndef LOGO_WRAP_CORE_SIBLING_PATH_H_
#define LOGO_WRAP_CORE_SIBLING_PATH_H_

#include <cstddef>
#include <optional>
#include <string>

constexpr std::size_t kPathBufferSize = 256;
// Most bytes the program path may take in `text`, its NUL included.
constexpr std::size_t kPathConvertLimit = 100;
constexpr char kInputFileName[] = "logo.bin";
constexpr char kOutputFileName[] = "logo_pelk.bin";

struct SiblingPath {
  char text[kPathBufferSize] = {};
  // Index of the last backslash of the program path, if there is one.
  std::optional<std::size_t> separator;
  // Where file names go: after the last backslash; failing that, after the
  // last '/'; failing both, at the start (the bare name, so the current
  // directory).
  std::size_t nameOffset = 0;

  // Converts the wide program path to the current locale's multibyte
  // encoding. Returns false, leaving `text` empty, when the path cannot be
  // represented or would not fit in kPathConvertLimit bytes with its NUL.
  bool fromProgramPath(const wchar_t* programPath);
  // Sets `separator` and `nameOffset` from the program path in `text`,
  // walking it character by character in the current locale.
  void findLastSeparator();
  // The line that says where the last backslash stands (or that there is
  // none), with the empty line after it when there is one.
  std::string separatorReport() const;
  // Replaces everything after the directory part with `name`.
  void setFileName(const char* name);
};

#endif  // LOGO_WRAP_CORE_SIBLING_PATH_H_
