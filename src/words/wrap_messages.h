// How a run of logo_wrap ends, and what it then prints: its own words,
// which stay as they are (scripts and boards know them), beside the
// table of the companions and the page. The console has
// always spoken GBK (code page 936), so the messages are those bytes; the
// same words stand beside them in UTF-8, for the reader and for the test
// that converts one into the other.
#ifndef LOGO_WRAP_WORDS_WRAP_MESSAGES_H_
#define LOGO_WRAP_WORDS_WRAP_MESSAGES_H_

#include <cstdint>
#include <string>

enum class WrapOutcome {
  kWritten,        // logo_pelk.bin written in full and closed
  kPathUnusable,   // the program's path is too long, or no text in this locale
  kInputNotFound,  // logo.bin missing, or not a regular file
  kReadFailed,     // logo.bin holds other than its size
  kTooLarge,       // logo.bin too large for the format
  kOutOfMemory,    // no memory for the image
  kOpenFailed,     // logo_pelk.bin not opened, not a regular file, or logo.bin itself
  kWriteFailed,    // writing logo_pelk.bin failed
  kCloseFailed,    // closing logo_pelk.bin failed
};

struct WrapMessage {
  WrapOutcome outcome;
  const char* gbk;   // printed byte for byte; ends in a line feed, and puts adds another
  const char* text;  // the same words in UTF-8
};

// clang-format off
inline constexpr WrapMessage kWrapMessages[] = {
    {WrapOutcome::kPathUnusable,
     "\xB3\xCC\xD0\xF2\xC2\xB7\xBE\xB6\xB9\xFD\xB3\xA4\xBB\xF2\xCE\xDE\xB7\xA8\xD7\xAA\xBB\xBB\n",
     u8"程序路径过长或无法转换\n"},
    {WrapOutcome::kInputNotFound, "\xCE\xB4\xD5\xD2\xB5\xBD" "logo.bin" "\xCE\xC4\xBC\xFE\n",
     u8"未找到logo.bin文件\n"},
    {WrapOutcome::kReadFailed, "\xB6\xC1\xC8\xA1" "logo.bin" "\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC\n",
     u8"读取logo.bin文件失败\n"},
    {WrapOutcome::kTooLarge, "logo.bin" "\xCE\xC4\xBC\xFE\xB9\xFD\xB4\xF3\n",
     u8"logo.bin文件过大\n"},
    {WrapOutcome::kOutOfMemory, "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3\n",
     u8"内存不足\n"},
    {WrapOutcome::kOpenFailed, "\xB4\xF2\xBF\xAA\xCA\xA7\xB0\xDC\n",
     u8"打开失败\n"},
    {WrapOutcome::kWriteFailed, "\xD0\xB4\xC8\xEB\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC\n",
     u8"写入文件失败\n"},
    {WrapOutcome::kCloseFailed, "\xB9\xD8\xB1\xD5\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC\n",
     u8"关闭文件失败\n"},
};
// clang-format on

// The GBK message for a failure.
inline const char* messageFor(WrapOutcome outcome) {
  for (const auto& message : kWrapMessages)
    if (message.outcome == outcome) return message.gbk;
  return "";
}

// The line that reports the data's checksum, lower-case hexadecimal without
// leading zeros, ending in a line feed.
inline std::string checksumLine(std::uint32_t checksum) {
  std::string digits;
  do digits.insert(digits.begin(), "0123456789abcdef"[checksum % 16]);
  while ((checksum /= 16) != 0);
  return "sum of data read = 0x" + digits + "\n";
}

#endif  // LOGO_WRAP_WORDS_WRAP_MESSAGES_H_
