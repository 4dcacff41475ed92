// A library put before the C library (LD_PRELOAD) that makes one call of a
// file operation fail, as a full disk, a failing device or a lack of file
// descriptors would. Only calls on files under one folder count: opening a
// file there, and every later call on its descriptor, and renames, links and
// removals there.
//   TORQLET_FAULT_DIR  the folder (an absolute path)
//   TORQLET_FAULT_AT   which of the calls that count fails, from 1; with 0
//                      none fails, and the log gets a line per call
//   TORQLET_FAULT_LOG  a file that gets the failed call's name
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int MaxDescriptors = 4096;
std::atomic<bool> watched[MaxDescriptors];
std::atomic<long> calls{0};

template <typename F>
F Real(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

const char* Folder() {
  static const char* folder = std::getenv("TORQLET_FAULT_DIR");
  return folder;
}

bool InFolder(const char* path) {
  const char* folder = Folder();
  if (!folder || !path) return false;
  std::string full = path;
  if (path[0] != '/') {
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) return false;
    full = std::string(cwd) + "/" + path;
  }
  const std::size_t length = std::strlen(folder);
  return full.compare(0, length, folder) == 0 && (full.size() == length || full[length] == '/');
}

bool Watched(int descriptor) {
  return descriptor >= 0 && descriptor < MaxDescriptors && watched[descriptor].load();
}

// Writes the text to the log, replacing what it held or after it.
void Log(const std::string& text, int mode) {
  const char* log = std::getenv("TORQLET_FAULT_LOG");
  if (!log) return;
  using OpenFunction = int (*)(const char*, int, ...);
  static const auto open = Real<OpenFunction>("open");
  const int file = open(log, O_WRONLY | O_CREAT | O_CLOEXEC | mode, 0644);
  if (file < 0) return;
  using WriteFunction = ssize_t (*)(int, const void*, size_t);
  static const auto write = Real<WriteFunction>("write");
  (void)!write(file, text.data(), text.size());
  using CloseFunction = int (*)(int);
  static const auto close = Real<CloseFunction>("close");
  close(file);
}

// Whether this call is the one to fail; it then notes its name. Where none is
// to fail, every call is noted with its path.
bool Fails(const char* name, const char* path = "") {
  static const long at =
      std::getenv("TORQLET_FAULT_AT") ? std::atol(std::getenv("TORQLET_FAULT_AT")) : 0;
  if (at == 0) {
    Log(std::string(name) + " " + path + "\n", O_APPEND);
    return false;
  }
  if (++calls != at) return false;
  Log(name, O_TRUNC);
  return true;
}

int Refuse(int error) {
  errno = error;
  return -1;
}

int Opened(int descriptor, const char* path) {
  if (descriptor >= 0 && descriptor < MaxDescriptors) watched[descriptor] = InFolder(path);
  return descriptor;
}

mode_t ModeOf(int flags, va_list arguments) {
  return (flags & O_CREAT) || (flags & __O_TMPFILE) == __O_TMPFILE ? mode_t(va_arg(arguments, int))
                                                                   : 0;
}

}  // namespace

extern "C" {

// The calls that the program and Qt make, as the log of a save shows them.
#define TORQLET_OPEN(name)                                           \
  int name(const char* path, int flags, ...) {                       \
    va_list arguments;                                               \
    va_start(arguments, flags);                                      \
    const mode_t mode = ModeOf(flags, arguments);                    \
    va_end(arguments);                                               \
    if (InFolder(path) && Fails(#name, path)) return Refuse(EMFILE); \
    using Function = int (*)(const char*, int, ...);                 \
    static const auto real = Real<Function>(#name);                  \
    return Opened(real(path, flags, mode), path);                    \
  }
TORQLET_OPEN(open)
TORQLET_OPEN(open64)

#define TORQLET_ON_DESCRIPTOR(result, name, error, parameters, arguments) \
  result name parameters {                                                \
    if (Watched(descriptor) && Fails(#name)) return Refuse(error);        \
    using Function = result(*) parameters;                                \
    static const auto real = Real<Function>(#name);                       \
    return real arguments;                                                \
  }

TORQLET_ON_DESCRIPTOR(ssize_t, write, ENOSPC, (int descriptor, const void* data, size_t size),
                      (descriptor, data, size))
TORQLET_ON_DESCRIPTOR(ssize_t, read, EIO, (int descriptor, void* data, size_t size),
                      (descriptor, data, size))
TORQLET_ON_DESCRIPTOR(ssize_t, pread64, EIO, (int descriptor, void* data, size_t size, off64_t at),
                      (descriptor, data, size, at))
TORQLET_ON_DESCRIPTOR(int, fsync, EIO, (int descriptor), (descriptor))
TORQLET_ON_DESCRIPTOR(int, fdatasync, EIO, (int descriptor), (descriptor))
TORQLET_ON_DESCRIPTOR(int, ftruncate64, EIO, (int descriptor, off64_t size), (descriptor, size))
TORQLET_ON_DESCRIPTOR(int, fallocate64, ENOSPC,
                      (int descriptor, int mode, off64_t at, off64_t size),
                      (descriptor, mode, at, size))

ssize_t pread(int descriptor, void* data, size_t size, off_t at) {
  return pread64(descriptor, data, size, at);
}
int ftruncate(int descriptor, off_t size) { return ftruncate64(descriptor, size); }
int fallocate(int descriptor, int mode, off_t at, off_t size) {
  return fallocate64(descriptor, mode, at, size);
}

// The system releases a descriptor even when closing it fails.
int close(int descriptor) {
  using Function = int (*)(int);
  static const auto real = Real<Function>("close");
  const bool fails = Watched(descriptor) && Fails("close");
  if (descriptor >= 0 && descriptor < MaxDescriptors) watched[descriptor] = false;
  const int result = real(descriptor);
  return fails ? Refuse(EIO) : result;
}

#define TORQLET_ON_PATHS(name, error, parameters, from, to, arguments)          \
  int name parameters {                                                         \
    if ((InFolder(from) || InFolder(to)) && Fails(#name)) return Refuse(error); \
    using Function = int(*) parameters;                                         \
    static const auto real = Real<Function>(#name);                             \
    return real arguments;                                                      \
  }

TORQLET_ON_PATHS(rename, EIO, (const char* from, const char* to), from, to, (from, to))
TORQLET_ON_PATHS(linkat, ENOSPC,
                 (int fromDirectory, const char* from, int toDirectory, const char* to, int flags),
                 nullptr, to, (fromDirectory, from, toDirectory, to, flags))
TORQLET_ON_PATHS(unlink, EIO, (const char* path), path, nullptr, (path))
}
