// Files no test can simply write: a socket, and a disk that is really full.
// POSIX only.
#ifndef LOGO_WRAP_TESTS_SUPPORT_POSIX_FILES_H_
#define LOGO_WRAP_TESTS_SUPPORT_POSIX_FILES_H_

#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

inline bool makeSocket(const std::filesystem::path& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  const bool made = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return made;
}

// A small tmpfs, mounted for one case. Mounting needs root; a case without
// it skips itself.
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

#endif  // LOGO_WRAP_TESTS_SUPPORT_POSIX_FILES_H_
