#include "sibling_path.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr char kSeparator = '\\';
}

bool SiblingPath::fromProgramPath(const wchar_t* programPath) {
  std::memset(text, 0, sizeof text);
  // Measure first: a conversion cut short at the limit may leave no NUL, or
  // stop inside a multibyte character. Some runtimes only count while
  // measuring and meet an unconvertible character in the real conversion,
  // so both results are checked.
  const std::size_t needed = std::wcstombs(nullptr, programPath, 0);
  if (needed == static_cast<std::size_t>(-1) || needed + 1 > kPathConvertLimit) return false;
  if (std::wcstombs(text, programPath, kPathConvertLimit) == needed) return true;
  std::memset(text, 0, sizeof text);
  return false;
}

void SiblingPath::findLastSeparator() {
  const char* backslash = std::strrchr(text, kSeparator);
  separator.reset();
  if (backslash) separator = static_cast<std::size_t>(backslash - text);
  const char* directoryEnd = backslash ? backslash : std::strrchr(text, '/');
  nameOffset = directoryEnd ? static_cast<std::size_t>(directoryEnd - text) + 1 : 0;
}

void SiblingPath::reportSeparator() const {
  if (separator)
    std::printf("Result:\tlast %c found at position %d\n\n", kSeparator, static_cast<int>(*separator + 1));
  else
    std::printf("Result:\t%c not found\n", kSeparator);
}

void SiblingPath::setFileName(const char* name) {
  // nameOffset is below kPathConvertLimit, so only an absurd name could
  // overrun; cut it rather than write past the buffer.
  const std::size_t room = kPathBufferSize - nameOffset;
  std::strncpy(text + nameOffset, name, room - 1);
  text[kPathBufferSize - 1] = '\0';
}
