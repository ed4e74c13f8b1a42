#include <windows.h>

#include "gbk.h"

std::string gbkFromUtf8(const std::string& text) {
  constexpr UINT kGbk = 936;
  const int size = static_cast<int>(text.size());
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), size)));
  std::string out(2 * wide.size(), '\0');
  BOOL lossy = FALSE;
  out.resize(static_cast<std::size_t>(WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()),
                                                          out.data(), static_cast<int>(out.size()), nullptr,
                                                          &lossy)));
  return lossy ? "" : out;
}
