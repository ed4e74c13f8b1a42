#include <iconv.h>

#include "gbk.h"

std::string gbkFromUtf8(const std::string& text) {
  const iconv_t converter = iconv_open("GBK", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return "";
  std::string in = text, out(4 * text.size() + 4, '\0');
  char* from = in.data();
  char* to = out.data();
  std::size_t left = in.size(), room = out.size();
  const bool converted = iconv(converter, &from, &left, &to, &room) != static_cast<std::size_t>(-1);
  iconv_close(converter);
  return converted ? out.substr(0, out.size() - room) : "";
}
