// Option values named by words, as the command lines and the page take them.
#ifndef LOGO_WRAP_CORE_NAMED_VALUE_H_
#define LOGO_WRAP_CORE_NAMED_VALUE_H_

#include <cstddef>
#include <string>
#include <utility>

// The value `text` names in `names`; false when it names none.
template <typename Value, std::size_t N>
bool parseNamed(const std::string& text, const std::pair<const char*, Value> (&names)[N], Value& value) {
  for (const auto& [name, named] : names)
    if (text == name) {
      value = named;
      return true;
    }
  return false;
}

#endif  // LOGO_WRAP_CORE_NAMED_VALUE_H_
