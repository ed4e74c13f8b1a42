// Why a file is refused, in words, as error codes beside the system's own.
#ifndef LOGO_WRAP_WORDS_FILE_PROBLEM_H_
#define LOGO_WRAP_WORDS_FILE_PROBLEM_H_

#include <system_error>

enum class FileProblem {
  kIsFolder = 1,
  kIsFifo,
  kIsDevice,
  kIsSocket,
  kIsNoFile,    // none of the above, and no regular file either
  kIsTheInput,  // an output that would replace the file being read
  kTooLarge,    // more bytes than a reader takes
  kNotUnicode,  // a name no file can have: not valid text
};

const std::error_category& fileProblemCategory();
std::error_code make_error_code(FileProblem problem);

template <>
struct std::is_error_code_enum<FileProblem> : std::true_type {};

#endif  // LOGO_WRAP_WORDS_FILE_PROBLEM_H_
