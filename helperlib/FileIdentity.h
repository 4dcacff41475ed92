#pragma once

#include <QString>
#include <cstdint>

struct stat;

// What tells one state of a file on disk from another: device, inode, size and
// modification time to the nanosecond. Invalid ("missing") when there is no file.
class FileIdentity {
 public:
  FileIdentity() = default;
  // The file the path names, following symbolic links; invalid when it does
  // not exist or cannot be examined.
  static FileIdentity Of(const QString& path);
  // The file an open descriptor refers to; invalid when fstat fails.
  static FileIdentity OfDescriptor(int descriptor);
  static FileIdentity FromStatus(const struct stat& status);
  // An identity as recorded earlier (modified in nanoseconds since the epoch).
  static FileIdentity Made(std::uint64_t device, std::uint64_t inode, std::int64_t size,
                           std::int64_t modified);

  bool IsValid() const { return valid_; }
  std::uint64_t Device() const { return device_; }
  std::uint64_t Inode() const { return inode_; }
  std::int64_t Size() const { return size_; }
  // Nanoseconds since the epoch.
  std::int64_t ModificationTime() const { return modified_; }

  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;

 private:
  bool valid_ = false;
  std::uint64_t device_ = 0;
  std::uint64_t inode_ = 0;
  std::int64_t size_ = 0;
  std::int64_t modified_ = 0;
};
