#include "words/file_problem.h"

#include <string>

#include "words/file_words.h"

namespace {

class FileProblemCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "file problem"; }
  std::string message(int problem) const override {
    return Words()(fileProblemMessage(static_cast<FileProblem>(problem)));
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
