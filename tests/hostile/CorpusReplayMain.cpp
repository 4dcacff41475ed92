// Runs the fuzz target over files and folders of inputs without libFuzzer, so
// that the committed corpus is an ordinary test of every build.
//   car_file_replay PATH...
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool Replay(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
    return false;
  }
  const QByteArray bytes = file.readAll();
  // The name goes first, so that a failing input is named before the run stops.
  std::fprintf(stderr, "%s\n", qPrintable(path));
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                         std::size_t(bytes.size()));
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  int inputs = 0;
  bool readable = argc > 1;
  for (int i = 1; i < argc; ++i) {
    const QString path = QFile::decodeName(argv[i]);
    if (!QFileInfo(path).isDir()) {
      readable = Replay(path) && readable;
      ++inputs;
      continue;
    }
    QStringList files;
    QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next();
    files.sort();
    for (const QString& file : files) {
      readable = Replay(file) && readable;
      ++inputs;
    }
  }
  std::fprintf(stderr, "%d inputs replayed\n", inputs);
  return readable && inputs > 0 ? 0 : 1;
}
