// logo_bin_info FILE: says whether a wrapped logo image is consistent before
// it is flashed. Exit status 0: consistent; 1: problems found; 2: usage
// error or unreadable file.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "image_check.h"

namespace {

constexpr int kConsistent = 0;
constexpr int kProblemsFound = 1;
constexpr int kCannotCheck = 2;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

int cannotCheck(const char* what, const char* path) {
  std::fprintf(stderr, "logo_bin_info: cannot %s '%s': %s\n", what, path, std::strerror(errno));
  return kCannotCheck;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: logo_bin_info FILE\n");
    return kCannotCheck;
  }
  const char* path = argv[1];
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (!file) return cannotCheck("open", path);

  ImageScanner scanner;
  static unsigned char chunk[1 << 20];
  std::size_t count;
  while ((count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) scanner.feed(chunk, count);
  if (std::ferror(file.get())) return cannotCheck("read", path);

  const ImageReport report = scanner.finish();
  std::fputs(formatImageReport(report).c_str(), stdout);
  // A report that never arrived must not pass for a clean one.
  if (std::fflush(stdout) != 0 || std::ferror(stdout))
    return cannotCheck("write the report to", "standard output");
  return report.problems.empty() ? kConsistent : kProblemsFound;
}
