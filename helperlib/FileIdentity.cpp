#include "helperlib/FileIdentity.h"

#include <sys/stat.h>

#include <QFile>

FileIdentity FileIdentity::FromStatus(const struct stat& status) {
  FileIdentity identity;
  identity.valid_ = true;
  identity.device_ = std::uint64_t(status.st_dev);
  identity.inode_ = std::uint64_t(status.st_ino);
  identity.size_ = std::int64_t(status.st_size);
  identity.modified_ =
      std::int64_t(status.st_mtim.tv_sec) * 1'000'000'000 + std::int64_t(status.st_mtim.tv_nsec);
  return identity;
}

FileIdentity FileIdentity::Made(std::uint64_t device, std::uint64_t inode, std::int64_t size,
                                std::int64_t modified) {
  FileIdentity identity;
  identity.valid_ = true;
  identity.device_ = device;
  identity.inode_ = inode;
  identity.size_ = size;
  identity.modified_ = modified;
  return identity;
}

FileIdentity FileIdentity::Of(const QString& path) {
  struct stat status {};
  if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0) return {};
  return FromStatus(status);
}

FileIdentity FileIdentity::OfDescriptor(int descriptor) {
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) return {};
  return FromStatus(status);
}
