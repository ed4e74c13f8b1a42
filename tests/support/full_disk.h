// A small tmpfs, mounted for one case: a disk that is really full. Mounting
// needs root; a case without it skips itself.
#ifndef LOGO_WRAP_TESTS_SUPPORT_FULL_DISK_H_
#define LOGO_WRAP_TESTS_SUPPORT_FULL_DISK_H_

#include <sys/mount.h>

#include <filesystem>

class FullDisk {
 public:
  explicit FullDisk(const std::filesystem::path& at) : at_(at) {
    std::filesystem::create_directory(at);
    mounted_ = mount("tmpfs", at.c_str(), "tmpfs", 0, "size=64k,mode=0777") == 0;
  }
  ~FullDisk() {
    if (mounted_) umount2(at_.c_str(), MNT_DETACH);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;
  bool mounted() const { return mounted_; }

 private:
  std::filesystem::path at_;
  bool mounted_;
};

#endif  // LOGO_WRAP_TESTS_SUPPORT_FULL_DISK_H_
