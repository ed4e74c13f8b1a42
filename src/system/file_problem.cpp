#include "system/file_problem.h"

#include <string>

namespace {

class FileProblemCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "file problem"; }
  std::string message(int problem) const override {
    switch (static_cast<FileProblem>(problem)) {
      case FileProblem::kIsFolder:
        return "is a folder";
      case FileProblem::kIsFifo:
        return "is a FIFO, not a regular file";
      case FileProblem::kIsDevice:
        return "is a device, not a regular file";
      case FileProblem::kIsSocket:
        return "is a socket, not a regular file";
      case FileProblem::kIsNoFile:
        return "is not a regular file";
      case FileProblem::kIsTheInput:
        return "is the file being read";
      case FileProblem::kTooLarge:
        return "is too large";
      case FileProblem::kNotUnicode:
        return "is not valid Unicode text, so it names no file exactly";
    }
    return "is refused";
  }
};

}  // namespace

const std::error_category& fileProblemCategory() {
  static const FileProblemCategory category;
  return category;
}

std::error_code make_error_code(FileProblem problem) {
  return {static_cast<int>(problem), fileProblemCategory()};
}
