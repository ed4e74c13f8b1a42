#include "core/sibling_path.h"

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
  // Whole characters, not bytes: in double-byte code pages (GBK, Big5,
  // Shift-JIS) a trail byte can be 0x5C, as in GBK's D5 5C, and is no
  // separator. fromProgramPath made the text valid in this locale; an
  // invalid byte would still be stepped over one at a time.
  std::optional<std::size_t> backslash;
  std::optional<std::size_t> slash;
  std::mblen(nullptr, 0);
  for (std::size_t i = 0; text[i] != '\0';) {
    if (text[i] == kSeparator) backslash = i;
    if (text[i] == '/') slash = i;
    const int length = std::mblen(text + i, kPathBufferSize - i);
    i += length > 0 ? static_cast<std::size_t>(length) : 1;
  }
  separator = backslash;
  const std::optional<std::size_t> directoryEnd = backslash ? backslash : slash;
  nameOffset = directoryEnd ? *directoryEnd + 1 : 0;
}

std::string SiblingPath::separatorReport() const {
  if (separator)
    return std::string("Result:\tlast ") + kSeparator + " found at position " +
           std::to_string(*separator + 1) + "\n\n";
  return std::string("Result:\t") + kSeparator + " not found\n";
}

void SiblingPath::setFileName(const char* name) {
  // nameOffset is below kPathConvertLimit, so only an absurd name could
  // overrun; cut it rather than write past the buffer.
  const std::size_t room = kPathBufferSize - nameOffset;
  std::strncpy(text + nameOffset, name, room - 1);
  text[kPathBufferSize - 1] = '\0';
}
