// The table of words and the choice of language, in-process: every message
// in all three languages with the same places, and each way a user names a
// language read as gettext and Windows mean it.
#include <gtest/gtest.h>

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

std::set<std::string> placesOf(const std::string& text) {
  std::set<std::string> places;
  for (std::size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open + 1))
    places.insert(text.substr(open, text.find('}', open) - open + 1));
  return places;
}

constexpr Language kLanguages[] = {Language::kEnglish, Language::kSimplifiedChinese,
                                   Language::kTraditionalChinese};

TEST(MessageTable, EveryMessageIsInEachLanguageWithTheSamePlaces) {
  for (const Message message : allMessages()) {
    SCOPED_TRACE(messageKey(message));
    const std::string english = messageText(message, Language::kEnglish);
    for (const Language language : kLanguages) {
      const std::string text = messageText(message, language);
      EXPECT_FALSE(text.empty());
      EXPECT_EQ(placesOf(text), placesOf(english)) << text;
      // A GBK console holds every Chinese word, or the program would speak English there.
      if (language != Language::kEnglish) {
        EXPECT_FALSE(gbkFromUtf8(text).empty()) << text;
      }
    }
  }
}

TEST(Words, FillsEachPlaceWithItsValueAsGiven) {
  const Words say(Language::kSimplifiedChinese);
  EXPECT_EQ(say(Message::kProblemDataCutShort, {{"record", "2"}, {"present", "2"}, {"length", "5"}}),
            "记录 2：数据超出文件末尾：5 字节中只有 2 字节");
  // An encoding that cannot hold the language leaves English.
  const Encoder asciiOnly = [](std::string_view text, std::string& out) {
    out.assign(text);
    return text.find_first_of("\x80\xFF") == std::string_view::npos &&
           std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  };
  EXPECT_EQ(languageTheEncodingHolds(Language::kTraditionalChinese, asciiOnly), Language::kEnglish);
  EXPECT_EQ(languageTheEncodingHolds(Language::kTraditionalChinese, {}), Language::kTraditionalChinese);
}

// Each refusal in the words of its own kind, kinds that are easily mixed
// up side by side.
TEST(Words, TellEachRefusalInItsOwnWords) {
  const Words english, simplified(Language::kSimplifiedChinese);
  const auto unsupported = [&](PictureError::Unsupported what) {
    return pictureErrorText(english, {PictureError::Kind::kUnsupported, what}, "BMP");
  };
  const std::pair<std::string, std::string> cases[] = {
      {unsupported(PictureError::Unsupported::kMasksNotContiguous),
       "a BMP file with bit masks that are not contiguous, which this tool does not read: save it with 24 or 32 "
       "bits per pixel"},
      {unsupported(PictureError::Unsupported::kMasksPastBits),
       "a BMP file with bit masks past its pixels' bits, which this tool does not read: save it with 24 or 32 "
       "bits per pixel"},
      {refusalText(english, ValueRefusal{ValueKind::kPlace, "1;2"}), "'1;2' is not center, nor X,Y like 100,40"},
      {refusalText(english, ValueRefusal{ValueKind::kFit, "fill"}), "'fill' is not contain, cover or stretch"},
      {whyFile(simplified, std::make_error_code(std::errc::is_a_directory)), "是文件夹"},
      {whyFile(simplified, std::make_error_code(std::errc::not_a_directory)), "路径中有一部分不是文件夹"},
  };
  for (const auto& [said, expected] : cases) EXPECT_EQ(said, expected);
}

struct EnvironmentCase {
  LocaleEnvironment environment;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
  std::optional<Language> language;
};

TEST(Language, IsReadFromTheEnvironmentInGettextsOrder) {
  const auto simplified = Language::kSimplifiedChinese, traditional = Language::kTraditionalChinese,
             english = Language::kEnglish;
  const EnvironmentCase cases[] = {
      {{"", "", "", ""}, std::nullopt},
      {{"", "", "", "zh_CN.UTF-8"}, simplified},
      {{"", "", "", "zh_SG.GBK"}, simplified},
      {{"", "", "", "zh"}, simplified},
      {{"", "", "", "zh_TW.Big5"}, traditional},
      {{"", "", "", "zh_HK.UTF-8"}, traditional},
      {{"", "", "", "zh_MO"}, traditional},
      {{"", "", "", "de_DE.UTF-8"}, english},
      {{"", "", "", "C"}, english},
      {{"", "", "", "POSIX"}, english},
      {{"", "", "zh_TW.UTF-8", "zh_CN.UTF-8"}, traditional},  // LC_MESSAGES before LANG
      {{"", "C.UTF-8", "zh_TW.UTF-8", "zh_CN.UTF-8"}, english},  // LC_ALL before both
      {{"zh_TW:zh_CN", "", "", "zh_CN.UTF-8"}, traditional},     // LANGUAGE first
      {{"fr:zh_CN:en", "", "", "de_DE.UTF-8"}, simplified},      // a language not spoken is passed over
      {{"zh_TW", "C", "", ""}, english},                          // but not in the C locale
      {{"zh_TW", "", "", ""}, std::nullopt},                      // nor with none set
      {{"zh_TW", "", "", "POSIX"}, english},                      // nor in POSIX's, which is C's
      {{"", "", "", "zh_TW@radical"}, traditional},              // a modifier is no territory
  };
  for (const auto& c : cases) {
    const LocaleEnvironment& e = c.environment;
    SCOPED_TRACE(e.language + "|" + e.lcAll + "|" + e.lcMessages + "|" + e.lang);
    EXPECT_EQ(languageOfEnvironment(e), c.language);
  }
}

TEST(Language, IsReadFromWindowsIdsBrowserTagsAndTheOption) {
  const std::pair<std::uint16_t, Language> windows[] = {
      {0x0804, Language::kSimplifiedChinese},  {0x1004, Language::kSimplifiedChinese},
      {0x0404, Language::kTraditionalChinese}, {0x0C04, Language::kTraditionalChinese},
      {0x1404, Language::kTraditionalChinese}, {0x7C04, Language::kTraditionalChinese},
      {0x0409, Language::kEnglish},            {0x0411, Language::kEnglish},
  };
  for (const auto& [id, language] : windows) EXPECT_EQ(languageOfWindowsId(id), language) << std::hex << id;
  EXPECT_EQ(languageOfLocale("zh-Hant-HK"), Language::kTraditionalChinese);
  EXPECT_EQ(languageOfLocale("zh-Hans"), Language::kSimplifiedChinese);
  for (const char* tag : {"zh-CN", "zh_cn", "ZH-cn"}) EXPECT_EQ(parseLanguageTag(tag), Language::kSimplifiedChinese);
  EXPECT_EQ(parseLanguageTag("zh-TW"), Language::kTraditionalChinese);
  EXPECT_EQ(parseLanguageTag("EN"), Language::kEnglish);
  EXPECT_EQ(parseLanguageTag("zh"), std::nullopt);
}

}  // namespace
