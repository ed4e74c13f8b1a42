// The table of words and the choice of language, in-process: every message
// in all three languages with the same places, and each way a user names a
// language read as gettext and Windows mean it.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>

#include "gbk.h"
#include "words/file_words.h"
#include "words/language.h"
#include "words/messages.h"
#include "words/option_words.h"
#include "words/picture_words.h"
#include "words/words.h"

namespace {

constexpr Language kEnglish = Language::kEnglish, kSimplified = Language::kSimplifiedChinese,
                   kTraditional = Language::kTraditionalChinese;

std::set<std::string> placesOf(const std::string& text) {
  std::set<std::string> places;
  for (std::size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open + 1))
    places.insert(text.substr(open, text.find('}', open) - open + 1));
  return places;
}

TEST(MessageTable, EveryMessageIsInEachLanguageWithTheSamePlaces) {
  for (const Message message : allMessages())
    for (const Language language : {kEnglish, kSimplified, kTraditional}) {
      SCOPED_TRACE(messageKey(message));
      const std::string text = messageText(message, language);
      EXPECT_FALSE(text.empty());
      EXPECT_EQ(placesOf(text), placesOf(messageText(message, kEnglish))) << text;
      // A GBK console holds every Chinese word, or the program would speak English there.
      EXPECT_TRUE(language == kEnglish || !gbkFromUtf8(text).empty()) << text;
    }
}

TEST(Words, FillsEachPlaceWithItsValueAsGiven) {
  EXPECT_EQ(
      Words(kSimplified)(Message::kProblemDataCutShort, {{"record", "2"}, {"present", "2"}, {"length", "5"}}),
      "记录 2：数据超出文件末尾：5 字节中只有 2 字节");
  // An encoding that cannot hold the language leaves English.
  const Encoder asciiOnly = [](std::string_view text, std::string& out) {
    out.assign(text);
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  };
  EXPECT_EQ(languageTheEncodingHolds(kTraditional, asciiOnly), kEnglish);
  EXPECT_EQ(languageTheEncodingHolds(kTraditional, {}), kTraditional);
}

// Each refusal in the words of its own kind, kinds that are easily mixed
// up side by side.
TEST(Words, TellEachRefusalInItsOwnWords) {
  const Words english, simplified(kSimplified);
  const auto unsupported = [&](PictureError::Unsupported what) {
    return pictureErrorText(english, {PictureError::Kind::kUnsupported, what}, "BMP");
  };
  const std::string save = ", which this tool does not read: save it with 24 or 32 bits per pixel";
  const std::pair<std::string, std::string> cases[] = {
      {unsupported(PictureError::Unsupported::kMasksNotContiguous),
       "a BMP file with bit masks that are not contiguous" + save},
      {unsupported(PictureError::Unsupported::kMasksPastBits),
       "a BMP file with bit masks past its pixels' bits" + save},
      {refusalText(english, ValueRefusal{ValueKind::kPlace, "1;2"}),
       "'1;2' is not center, nor X,Y like 100,40"},
      {refusalText(english, ValueRefusal{ValueKind::kFit, "fill"}),
       "'fill' is not contain, cover or stretch"},
      {whyFile(simplified, std::make_error_code(std::errc::is_a_directory)), "是文件夹"},
      {whyFile(simplified, std::make_error_code(std::errc::not_a_directory)), "路径中有一部分不是文件夹"},
  };
  for (const auto& [said, expected] : cases) EXPECT_EQ(said, expected);
}

// LANGUAGE, LC_ALL, LC_MESSAGES, LANG, and the language they choose.
TEST(Language, IsReadFromTheEnvironmentInGettextsOrder) {
  const std::pair<LocaleEnvironment, std::optional<Language>> cases[] = {
      {{"", "", "", ""}, std::nullopt},
      {{"", "", "", "zh_CN.UTF-8"}, kSimplified},
      {{"", "", "", "zh_SG.GBK"}, kSimplified},
      {{"", "", "", "zh"}, kSimplified},
      {{"", "", "", "zh_TW.Big5"}, kTraditional},
      {{"", "", "", "zh_HK.UTF-8"}, kTraditional},
      {{"", "", "", "zh_MO"}, kTraditional},
      {{"", "", "", "de_DE.UTF-8"}, kEnglish},
      {{"", "", "", "C"}, kEnglish},
      {{"", "", "", "POSIX"}, kEnglish},
      {{"", "", "zh_TW.UTF-8", "zh_CN.UTF-8"}, kTraditional},     // LC_MESSAGES before LANG
      {{"", "C.UTF-8", "zh_TW.UTF-8", "zh_CN.UTF-8"}, kEnglish},  // LC_ALL before both
      {{"zh_TW:zh_CN", "", "", "zh_CN.UTF-8"}, kTraditional},     // LANGUAGE first
      {{"fr:zh_CN:en", "", "", "de_DE.UTF-8"}, kSimplified},      // a language not spoken is passed over
      {{"zh_TW", "C", "", ""}, kEnglish},                         // but not in the C locale
      {{"zh_TW", "", "", ""}, std::nullopt},                      // nor with none set
      {{"zh_TW", "", "", "POSIX"}, kEnglish},                     // nor in POSIX's, which is C's
      {{"", "", "", "zh_TW@radical"}, kTraditional},              // a modifier is no territory
  };
  for (const auto& [e, language] : cases)
    EXPECT_EQ(languageOfEnvironment(e), language)
        << e.language << "|" << e.lcAll << "|" << e.lcMessages << "|" << e.lang;
}

TEST(Language, IsReadFromWindowsIdsBrowserTagsAndTheOption) {
  const std::pair<std::uint16_t, Language> windows[] = {
      {0x0804, kSimplified},  {0x1004, kSimplified},  {0x0404, kTraditional}, {0x0C04, kTraditional},
      {0x1404, kTraditional}, {0x7C04, kTraditional}, {0x0409, kEnglish},     {0x0411, kEnglish}};
  for (const auto& [id, language] : windows) EXPECT_EQ(languageOfWindowsId(id), language) << std::hex << id;
  EXPECT_EQ(languageOfLocale("zh-Hant-HK"), kTraditional);
  EXPECT_EQ(languageOfLocale("zh-Hans"), kSimplified);
  const std::pair<const char*, std::optional<Language>> tags[] = {
      {"zh-CN", kSimplified},  {"zh_cn", kSimplified}, {"ZH-cn", kSimplified},
      {"zh-TW", kTraditional}, {"EN", kEnglish},       {"zh", std::nullopt}};
  for (const auto& [tag, language] : tags) EXPECT_EQ(parseLanguageTag(tag), language) << tag;
}

}  // namespace
