#include "words/file_words.h"

#include <utility>

namespace {

constexpr std::pair<std::errc, Message> kSystemReasons[] = {
    {std::errc::no_such_file_or_directory, Message::kErrorNoSuchFile},
    {std::errc::permission_denied, Message::kErrorPermission},
    {std::errc::operation_not_permitted, Message::kErrorPermission},
    {std::errc::no_space_on_device, Message::kErrorNoSpace},
    {std::errc::file_too_large, Message::kErrorFileTooLarge},
    {std::errc::read_only_file_system, Message::kErrorReadOnly},
    {std::errc::is_a_directory, Message::kErrorIsFolder},
    {std::errc::not_a_directory, Message::kErrorNotFolder},
    {std::errc::io_error, Message::kErrorInputOutput},
    {std::errc::not_enough_memory, Message::kErrorNoMemory},
    {std::errc::broken_pipe, Message::kErrorBrokenPipe},
    {std::errc::filename_too_long, Message::kErrorNameTooLong},
};

}  // namespace

Message fileProblemMessage(FileProblem problem) {
  switch (problem) {
    case FileProblem::kIsFolder:
      return Message::kFileIsFolder;
    case FileProblem::kIsFifo:
      return Message::kFileIsFifo;
    case FileProblem::kIsDevice:
      return Message::kFileIsDevice;
    case FileProblem::kIsSocket:
      return Message::kFileIsSocket;
    case FileProblem::kIsTheInput:
      return Message::kFileIsBeingRead;
    case FileProblem::kTooLarge:
      return Message::kFileTooLarge;
    case FileProblem::kNotUnicode:
      return Message::kFileNotUnicode;
    case FileProblem::kIsNoFile:
      break;
  }
  return Message::kFileIsNoFile;
}

std::string whyFile(const Words& say, std::error_code error, const std::string& input) {
  if (error.category() == fileProblemCategory()) {
    const auto problem = static_cast<FileProblem>(error.value());
    if (problem == FileProblem::kIsTheInput && !input.empty()) return say(Message::kIsTheInput, {{"file", input}});
    return say(fileProblemMessage(problem));
  }
  if (say.language() != Language::kEnglish)
    for (const auto& [condition, message] : kSystemReasons)
      if (error == condition) return say(message);
  return error.message();
}
