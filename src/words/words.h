// Words chosen at the edge: a message of the table in the user's language,
// its named places filled. Every text a person reads from logo_bin_info,
// logo_pixels and the page is said through here.
#ifndef LOGO_WRAP_WORDS_WORDS_H_
#define LOGO_WRAP_WORDS_WORDS_H_

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "words/language.h"
#include "words/messages.h"

// A named place's value, already in the text's encoding: a number, an
// address, a file name as it was given, or other words said before.
struct Place {
  const char* name;
  std::string value;
};

// A count, a size, a place or an angle as a place's value: decimal digits,
// the same in every language.
inline std::string number(std::uint64_t value) { return std::to_string(value); }

// Turns the table's UTF-8 into the encoding of where the text goes; false
// when that encoding cannot hold it.
using Encoder = std::function<bool(std::string_view utf8, std::string& out)>;

class Words {
 public:
  // UTF-8 as it is, unless an encoder is given.
  explicit Words(Language language = Language::kEnglish, Encoder encoder = {});

  Language language() const { return language_; }
  // The message with its places filled; a place given no value stays
  // "{name}".
  std::string operator()(Message message, std::initializer_list<Place> places = {}) const;
  // The message's own text, UTF-8, places unfilled.
  const char* text(Message message) const;

 private:
  std::string encoded(std::string_view utf8) const;

  Language language_;
  Encoder encoder_;
};

// `wanted`, when every message of it can be held by the encoding; else
// English, which every encoding the programs meet holds.
Language languageTheEncodingHolds(Language wanted, const Encoder& encoder);

#endif  // LOGO_WRAP_WORDS_WORDS_H_
