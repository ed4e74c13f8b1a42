// Faults injected into the programs with LD_PRELOAD, for end-to-end tests
// of what no real file system does on demand. LOGO_WRAP_FAULT chooses one:
//   close     the output's close fails (after closing it), as on NFS;
//   N         signal N arrives after half of the output is written;
//   N@close   signal N arrives once the output is written, before its close;
//   N@rename  signal N arrives once the first output has taken its name.
// The output is the one regular file the program writes through stdio.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* fault() {
  const char* name = std::getenv("LOGO_WRAP_FAULT");
  return name ? name : "";
}

// The signal a fault sends at `when`: "" in the write, "@close", "@rename".
int faultSignal(const char* when) {
  const char* at = std::strchr(fault(), '@');
  return std::strcmp(at ? at : "", when) == 0 ? std::atoi(fault()) : 0;
}

bool isOutput(std::FILE* stream) {
  const int fd = fileno(stream);
  struct stat status;
  return fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && (fcntl(fd, F_GETFL) & O_ACCMODE) != O_RDONLY;
}

template <typename Function>
Function next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" std::size_t fwrite(const void* bytes, std::size_t size, std::size_t count, std::FILE* stream) {
  static const auto realFwrite =
      next<std::size_t (*)(const void*, std::size_t, std::size_t, std::FILE*)>("fwrite");
  const int signal = faultSignal("");
  if (signal == 0 || size != 1 || !isOutput(stream)) return realFwrite(bytes, size, count, stream);
  const std::size_t half = realFwrite(bytes, 1, count / 2, stream);
  raise(signal);
  return half + realFwrite(static_cast<const char*>(bytes) + half, 1, count - half, stream);
}

extern "C" int fclose(std::FILE* stream) {
  static const auto realFclose = next<int (*)(std::FILE*)>("fclose");
  if (!isOutput(stream)) return realFclose(stream);
  if (const int signal = faultSignal("@close")) raise(signal);
  if (std::strcmp(fault(), "close") != 0) return realFclose(stream);
  realFclose(stream);
  errno = EIO;
  return EOF;
}

extern "C" int rename(const char* from, const char* to) {
  static const auto realRename = next<int (*)(const char*, const char*)>("rename");
  static bool sent = false;
  const int result = realRename(from, to);
  const int signal = faultSignal("@rename");
  if (signal && result == 0 && !sent) {
    sent = true;
    raise(signal);
  }
  return result;
}
