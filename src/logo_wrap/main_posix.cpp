// logo_wrap's entry on POSIX systems: the arguments arrive as bytes.
#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include "logo_wrap/conversion_run.h"
#include "system/write_signals.h"

namespace {

// False when the bytes are not valid in the current locale's encoding, or
// do not come back from wide characters as they were (glibc's Big5 takes a
// few characters for others): such a path would name another folder.
bool toWide(const char* narrow, std::wstring& wide) {
  constexpr std::size_t kInvalid = static_cast<std::size_t>(-1);
  const std::size_t length = std::mbstowcs(nullptr, narrow, 0);
  if (length == kInvalid) return false;
  wide.assign(length, L'\0');
  std::mbstowcs(wide.data(), narrow, length);
  const std::size_t backLength = std::wcstombs(nullptr, wide.c_str(), 0);
  if (backLength == kInvalid) return false;
  std::string back(backLength, '\0');
  std::wcstombs(back.data(), wide.c_str(), backLength);
  return back == narrow;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A reader of standard output that has gone must not end the run: the
  // exit status still tells whether the image was written. A file-size
  // limit makes the write fail, with its message and cleanup.
  reportWriteErrorsInsteadOfDying();
  // Paths arrive as bytes in the environment's encoding. Taking it for the
  // character type alone lets them round-trip through wide characters;
  // nothing printed depends on it.
  std::setlocale(LC_CTYPE, "");
  // An argument that is not valid text arrives as a null pointer, which the
  // run reports when it is the program path.
  std::vector<std::wstring> wideArgs(static_cast<std::size_t>(argc));
  std::vector<wchar_t*> wideArgv;
  for (std::size_t i = 0; i < wideArgs.size(); ++i)
    wideArgv.push_back(toWide(argv[i], wideArgs[i]) ? wideArgs[i].data() : nullptr);
  wideArgv.push_back(nullptr);
  return runConversion(argc, wideArgv.data());
}
