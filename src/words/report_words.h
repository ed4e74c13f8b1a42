// logo_bin_info's report in words: each line as the program prints it and
// the page shows it, without its line feed.
#ifndef LOGO_WRAP_WORDS_REPORT_WORDS_H_
#define LOGO_WRAP_WORDS_REPORT_WORDS_H_

#include <optional>
#include <string>
#include <vector>

#include "core/image_report.h"
#include "words/words.h"

std::string reportLine(const Words& words, const ReportLine& line);
std::string problemText(const Words& words, const ImageProblem& problem);
// The lines, each ending in a line feed.
std::string reportText(const Words& words, const std::vector<ReportLine>& lines);

// What a reader can do about a problem or a note, where there is advice.
std::optional<Message> adviceFor(const ReportLine& line);

#endif  // LOGO_WRAP_WORDS_REPORT_WORDS_H_
