// The table's messages, named, and their texts in each language.
#ifndef LOGO_WRAP_WORDS_MESSAGES_H_
#define LOGO_WRAP_WORDS_MESSAGES_H_

#include <vector>

#include "words/language.h"

enum class Message {
#define MESSAGE(id, key, english, simplified, traditional) id,
#include "words/message_table.inc"
#undef MESSAGE
};

// UTF-8, with {name} where a value goes.
const char* messageText(Message message, Language language);
// A stable name, such as "report.record": the page finds its words by it.
const char* messageKey(Message message);
const std::vector<Message>& allMessages();

#endif  // LOGO_WRAP_WORDS_MESSAGES_H_
