#include "words/option_words.h"

std::string pixelFormatSet() {
  std::string names;
  for (const std::string& name : pixelFormatNames()) names += (names.empty() ? "" : ",") + name;
  return "{" + names + "}";
}

std::string refusalText(const Words& say, const ValueRefusal& refusal) {
  const std::string& text = refusal.text;
  switch (refusal.expected) {
    case ValueKind::kSize:
      return say(Message::kNotASize, {{"text", text}, {"most", std::to_string(kMaxPanelSide)}});
    case ValueKind::kPixelFormat:
      return say(Message::kNotAPixelFormat, {{"text", text}, {"names", pixelFormatSet()}});
    case ValueKind::kRotation:
      return say(Message::kNotARotation, {{"text", text}});
    case ValueKind::kFlip:
      return say(Message::kNotAFlip, {{"text", text}});
    case ValueKind::kPlace:
      return say(Message::kNotAPlace, {{"text", text}});
    case ValueKind::kDither:
      return say(Message::kNotADither, {{"text", text}});
    case ValueKind::kColour:
      return say(Message::kNotAColour, {{"text", text}});
    case ValueKind::kFit:
      return say(Message::kNotAFit, {{"text", text}});
    case ValueKind::kCrop:
      return say(Message::kNotACrop, {{"text", text}});
    case ValueKind::kFlag:
      return say(Message::kNotAFlag, {{"text", text}});
    case ValueKind::kOptionName:
      break;
  }
  return say(Message::kUnknownOption, {{"text", text}});
}

std::string languageRefusalText(const Words& say, const std::string& text) {
  return say(Message::kNotALanguage, {{"text", text}});
}
