// Why a file could not be opened, read or written, in words: the
// toolkit's own refusals, and the system's reasons the users meet most.
#ifndef LOGO_WRAP_WORDS_FILE_WORDS_H_
#define LOGO_WRAP_WORDS_FILE_WORDS_H_

#include <string>
#include <system_error>

#include "words/file_problem.h"
#include "words/words.h"

Message fileProblemMessage(FileProblem problem);

// The reason after "cannot open 'FILE': ". An output that is the input
// names the input, `input`. In English a system error is the system's own
// text, as it has always been; in Chinese the table's, where it has one.
std::string whyFile(const Words& words, std::error_code error, const std::string& input = "");

#endif  // LOGO_WRAP_WORDS_FILE_WORDS_H_
