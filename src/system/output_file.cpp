#include "system/output_file.h"

#include <cerrno>
#include <random>
#include <utility>
#include <vector>

#include "system/file_access.h"
#include "system/file_access_platform.h"

namespace {

constexpr int kNameAttempts = 100;

// Most bytes of a file name, on the systems the programs run on.
constexpr std::size_t kMostNameBytes = 255;

// The name beside `name` for writing it: its own, shortened at a character
// where the suffix would make it too long.
std::string temporaryNameFor(const std::string& name) {
  static std::mt19937 random(std::random_device{}());
  static const char kDigits[] = "0123456789abcdef";
  std::string suffix = ".partial-";
  for (int i = 0; i < 8; ++i) suffix += kDigits[random() % 16];
  const std::size_t leaf = leafOf(name).size();
  std::size_t keep = name.size();
  if (leaf + suffix.size() > kMostNameBytes) {
    keep -= leaf + suffix.size() - kMostNameBytes;
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
      --keep;  // inside a UTF-8 character
  }
  return name.substr(0, keep) + suffix;
}

}  // namespace

std::error_code checkOutputName(const std::string& name) {
  const FileKind kind = kindOfName(name.c_str());
  if (kind == FileKind::kMissing) return {};
  if (kind != FileKind::kRegular) return problemOfKind(kind);
  // A file its owner made read-only is not to be replaced behind their back.
  if (!mayWrite(name.c_str())) return lastError();
  return {};
}

std::error_code OutputFile::open(const std::string& name, std::FILE* input) {
  if (const std::error_code refused = checkOutputName(name)) return refused;
  FileIdentity existing, read;
  if (input && identityOfName(name.c_str(), existing) && identityOf(descriptorOf(input), read) &&
      existing == read)
    return FileProblem::kIsTheInput;
  // A link stays a link, also one to a file not yet there: the file it
  // leads to is the one replaced or created.
  name_ = finalName(name.c_str());
  if (name_.empty()) return lastError();
  // Created and registered for removal as one step, so that no interrupt
  // falls between them.
  const HeldInterrupts held;
  int fd = -1;
  std::string temporary;
  for (int attempt = 0; fd < 0 && attempt < kNameAttempts; ++attempt) {
    temporary = temporaryNameFor(name_);
    fd = createNewFile(temporary.c_str());
    if (fd < 0 && errno != EEXIST) return lastError();
  }
  if (fd < 0) return lastError();
  temporary_ = temporary;
  removal_ = removeOnInterrupt(temporary_.c_str());
  copyOwnerAndPermissions(name_.c_str(), fd);
  file_ = streamOf(fd, "wb");
  if (!file_) {
    const std::error_code error = lastError();
    closeDescriptor(fd);
    discard();
    return error;
  }
  // Unbuffered, so a write's result says what reached the file.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  return {};
}

bool OutputFile::writeAt(std::uint64_t offset, const unsigned char* bytes, std::size_t count) {
  // Seeking past the end leaves a gap that reads as zero bytes.
  if (!writeError_ && (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0 ||
                       std::fwrite(bytes, 1, count, file_) != count))
    writeError_ = lastError();
  return !writeError_;
}

std::error_code OutputFile::close() {
  const bool closed = std::fclose(std::exchange(file_, nullptr)) == 0;
  return writeError_ ? writeError_ : closed ? std::error_code() : lastError();
}

void OutputFile::placed() {
  keepOnInterrupt(std::exchange(removal_, -1));
  temporary_.clear();
}

std::error_code OutputFile::commit() {
  const auto failed = commitTogether({this});
  return failed ? failed->error : std::error_code();
}

void OutputFile::discard() {
  if (file_) std::fclose(std::exchange(file_, nullptr));
  if (temporary_.empty()) return;
  removeName(temporary_.c_str());
  placed();
}

std::optional<CommitFailure> commitTogether(std::initializer_list<OutputFile*> outputs) {
  const auto fail = [outputs](std::size_t index, std::error_code error) {
    for (OutputFile* output : outputs) output->discard();
    return CommitFailure{index, error};
  };
  // All closed before any is renamed: a close can still lose data.
  std::size_t index = 0, toRename = 0;
  for (OutputFile* output : outputs) {
    if (output->isOpen()) {
      if (const std::error_code error = output->close()) return fail(index, error);
      ++toRename;
    }
    ++index;
  }
  struct Replaced {
    const std::string& name;
    std::string aside;  // a second name for the file it replaced, if one could be made
    bool existed;
  };
  std::vector<Replaced> replaced;
  // One step to an interrupt: it finds all of them in place or none.
  const HeldInterrupts held;
  index = 0;
  for (OutputFile* output : outputs) {
    if (output->temporary_.empty()) {
      ++index;
      continue;
    }
    const std::string& name = output->name_;
    const bool existed = kindOfName(name.c_str()) != FileKind::kMissing;
    // Kept aside under a second name while a later rename may still fail.
    std::string aside = existed && replaced.size() + 1 < toRename ? temporaryNameFor(name) : "";
    if (!aside.empty() && !linkName(name.c_str(), aside.c_str())) aside.clear();
    if (!replaceName(output->temporary_.c_str(), name.c_str())) {
      const std::error_code error = lastError();
      if (!aside.empty()) removeName(aside.c_str());
      // What the earlier ones replaced is put back, as far as it was kept.
      for (auto earlier = replaced.rbegin(); earlier != replaced.rend(); ++earlier)
        if (!earlier->aside.empty())
          replaceName(earlier->aside.c_str(), earlier->name.c_str());
        else if (!earlier->existed)
          removeName(earlier->name.c_str());
      return fail(index, error);
    }
    output->placed();
    replaced.push_back({name, std::move(aside), existed});
    ++index;
  }
  for (const Replaced& done : replaced)
    if (!done.aside.empty()) removeName(done.aside.c_str());
  return std::nullopt;
}

bool namesSameFile(const std::string& one, const std::string& other) {
  FileIdentity a, b;
  if (identityOfName(one.c_str(), a) && identityOfName(other.c_str(), b)) return a == b;
  // Where a file is still to be made: two links may lead to one.
  const std::string oneFile = finalName(one.c_str()), otherFile = finalName(other.c_str());
  return !oneFile.empty() && !otherFile.empty() && identityOfName(folderOf(oneFile).c_str(), a) &&
         identityOfName(folderOf(otherFile).c_str(), b) && a == b &&
         sameLeaf(leafOf(oneFile), leafOf(otherFile));
}
