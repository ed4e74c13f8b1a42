#include <iterator>

#include "words/messages.h"

namespace {

struct MessageTexts {
  const char* key;
  const char* byLanguage[3];  // in the order of Language
};

constexpr MessageTexts kTable[] = {
#define MESSAGE(id, key, english, simplified, traditional) {key, {english, simplified, traditional}},
#include "words/message_table.inc"
#undef MESSAGE
};

}  // namespace

const char* messageText(Message message, Language language) {
  return kTable[static_cast<std::size_t>(message)].byLanguage[static_cast<std::size_t>(language)];
}

const char* messageKey(Message message) { return kTable[static_cast<std::size_t>(message)].key; }

const std::vector<Message>& allMessages() {
  static const std::vector<Message> messages = [] {
    std::vector<Message> all;
    for (std::size_t i = 0; i < std::size(kTable); ++i) all.push_back(static_cast<Message>(i));
    return all;
  }();
  return messages;
}
