#include "words/words.h"

#include <cstring>

Words::Words(Language language, Encoder encoder) : language_(language), encoder_(std::move(encoder)) {}

const char* Words::text(Message message) const { return messageText(message, language_); }

std::string Words::encoded(std::string_view utf8) const {
  std::string out;
  if (!encoder_) return std::string(utf8);
  encoder_(utf8, out);
  return out;
}

std::string Words::operator()(Message message, std::initializer_list<Place> places) const {
  const std::string_view pattern = text(message);
  std::string said;
  std::size_t done = 0;
  for (std::size_t open; (open = pattern.find('{', done)) != std::string_view::npos;) {
    const std::size_t close = pattern.find('}', open);
    if (close == std::string_view::npos) break;
    said += encoded(pattern.substr(done, open - done));
    const std::string_view name = pattern.substr(open + 1, close - open - 1);
    const Place* filling = nullptr;
    for (const Place& place : places)
      if (name == place.name) filling = &place;
    // A place given no value stays as it is, in sight, for a later filler.
    said += filling ? filling->value : encoded(pattern.substr(open, close - open + 1));
    done = close + 1;
  }
  return said + encoded(pattern.substr(done));
}

Language languageTheEncodingHolds(Language wanted, const Encoder& encoder) {
  if (!encoder) return wanted;
  std::string out;
  for (const Message message : allMessages())
    if (!encoder(messageText(message, wanted), out)) return Language::kEnglish;
  return wanted;
}
