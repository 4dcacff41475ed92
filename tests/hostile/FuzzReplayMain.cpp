// A main() for the fuzz targets without libFuzzer: replays files and folders
// of inputs, so that each committed corpus is an ordinary test of every build:
//   TARGET_replay PATH...
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char* argv[]) {
  QStringList files;
  for (int i = 1; i < argc; ++i) {
    QDirIterator it(QFile::decodeName(argv[i]), QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    if (!it.hasNext()) files << QFile::decodeName(argv[i]);  // a file
    while (it.hasNext()) files << it.next();
  }
  files.sort();
  for (const QString& path : std::as_const(files)) {
    // The name goes first, so that a failing input is named before the run stops.
    std::fprintf(stderr, "%s\n", qPrintable(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
      return 1;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                           std::size_t(bytes.size()));
  }
  std::fprintf(stderr, "%d inputs replayed\n", int(files.size()));
  return files.isEmpty() ? 1 : 0;
}
