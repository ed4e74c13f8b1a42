// Option values named by words, as the command lines and the page take them.
#ifndef LOGO_WRAP_CORE_NAMED_VALUE_H_
#define LOGO_WRAP_CORE_NAMED_VALUE_H_

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>
#include <utility>

inline std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The value `text` names in `names`, in any case; false when it names none.
template <typename Value, std::size_t N>
bool parseNamed(const std::string& text, const std::pair<const char*, Value> (&names)[N], Value& value) {
  const std::string lower = lowerCase(text);
  for (const auto& [name, named] : names)
    if (lower == name) {
      value = named;
      return true;
    }
  return false;
}

#endif  // LOGO_WRAP_CORE_NAMED_VALUE_H_
