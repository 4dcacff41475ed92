#include <QCryptographicHash>
#include <QRegularExpression>

#include "TestSupport.h"
#include "core/AppInfo.h"

class CarFile : public ::testing::Test {
 protected:
  // The display's events joined by '|', the title shortened to '@'.
  QString Events() const {
    return display.events.join('|').replace("caption " + ApplicationTitle(), "@");
  }

  FileFolder folder;
  RecordingDisplay display;
  NycGciCars file{&display};
  const QByteArray a = MakeBlock("Alpha", 0), b = MakeBlock("Beta", 1);
};

TEST_F(CarFile, TheStockCopyIsWrittenWithItsNulBytesOrRebuiltWithOnlyTheEditedLineChanged) {
  EXPECT_EQ(ErrorNumberOf([&] { file.Car(1); }), ErrBadCall);
  file.NewFile();
  EXPECT_EQ(file.FileTitle(), "Untitled");
  for (const int index : {0, 84}) EXPECT_EQ(ErrorNumberOf([&] { file.Car(index); }), ErrBadCall);
  EXPECT_EQ(ErrorNumberOf([&] { file.SetCar(1, nullptr); }), ErrBadCall);
  file.SaveAs(folder.Path("new.gci"));
  EXPECT_EQ(ReadFileBytes(folder.Path("new.gci")), StockBytes());
  file.Car(1).SetMass(16.25f);
  file.SaveAs(folder.Path("edited.gci"));
  QByteArray expected = StockBytes().chopped(3);
  expected.replace(expected.indexOf("f16.500 {mass}"), 14, "f16.250 {mass}");
  EXPECT_EQ(ReadFileBytes(folder.Path("edited.gci")), expected);
}

TEST_F(CarFile, ContentWithoutWholeBlocksIsRefusedAndTheEndOfTheFileIsLenient) {
  // Up to four characters after the last empty line are rubbish, however many such sections.
  const QByteArray exact = MakeFile("head", {a, b});
  for (const QByteArray& bytes :
       {exact.chopped(4), exact.chopped(2), exact + "\r\n\r\n\r\n\r\n", exact + "xyz",
        exact + QByteArray(4, '\0'), exact + QByteArray("x\r\n\r\n").repeated(3)}) {
    file.LoadFile(folder.Write(bytes));
    ASSERT_EQ(file.Count(), 2);
    EXPECT_EQ(file.Car(2).Block(), b);
    EXPECT_EQ(file.MainComment(), "head");
  }
  QByteArray lfOnly = exact, split = a;
  lfOnly.replace("\r\n", "\n");
  split.replace("0 {pad}\r\n", "0 {pad}\r\n\r\n");
  const auto withValue = [&](const char* line) {
    return MakeFile("head", {QByteArray(a).replace("50 {value}", line)});
  };
  // Five characters are a section, and no block; an empty line more makes a
  // block's first line empty, two an empty section. The first car starts at
  // line 3, its value at line 6, the second car at line 26.
  // clang-format off
  const std::tuple<QByteArray, std::int32_t, const char*> cases[] = {
      {"", ErrBadFileContent, "the file is empty"},
      {"{only the header}\r\n\r\n", ErrBadFileContent, "no car follows the header comment"},
      {lfOnly, ErrBadFileContent, "no car follows the header comment"},
      {"h\r\n\r\nabcd", ErrBadFileContent, "no car follows the header comment"},  // four characters from the middle on
      {MakeFile("head", {a}) + "abcde", ErrBadPropertyValue, "the file ends inside the car that starts at line 26"},
      {MakeFile("head", {split}), ErrBadPropertyValue, "the car that starts at line 3 has 5 lines instead of 22"},
      {MakeFile("head", {a, "\r\n" + b}), ErrInvalidArgument, "line 26: the car's name is not in braces"},
      {MakeFile("head", {a, "\r\n\r\n" + b}), ErrBadPropertyValue, "line 26: an empty line too many between two cars"},
      {"\r\n\r\n" + MakeFile("head", {a}), ErrInvalidArgument, "line 1: the header comment in braces is missing"},
      {withValue("50 value"), ErrInvalidArgument, "line 6: a value line has no comment in braces"},
      {withValue("50{value}"), ErrInvalidArgument, "line 6: a value line has no blank between its number and its comment"},
      {withValue("5000000000 {value}"), ErrOverflow, "line 6: the number is beyond the range of its value"}};
  // clang-format on
  for (const auto& [bytes, number, detail] : cases) {
    const TorqletError error = ErrorOf([&] { file.LoadFile(folder.Write(bytes)); });
    EXPECT_EQ(error.Number(), number) << bytes.left(40);
    EXPECT_EQ(error.Detail(), detail) << bytes.left(40);
  }
}

TEST_F(CarFile, AFailedLoadKeepsWhatItReadAndEndsAtRest) {
  QByteArray bad = b;
  bad.replace("f16.500 {mass}", "f16.500 mass");
  const QString path = folder.Write(MakeFile("new head", {a, bad, a}));
  EXPECT_EQ(ErrorNumberOf([&] { file.LoadFile(path); }), ErrInvalidArgument);
  EXPECT_EQ(file.MainComment(), "new head");
  EXPECT_EQ(file.Count(), 2);
  EXPECT_EQ(file.Car(2).Name(), "Beta");
  display.events.clear();
  // A file that cannot be read is the unexpected internal error, its reason the cause.
  const TorqletError error = ErrorOf([&] { file.LoadFile(folder.Path("missing.gci")); });
  EXPECT_EQ(error.Number(), ErrUnexpectedInternal);
  EXPECT_EQ(error.Reason().Number(), ErrFileNotFound);
  EXPECT_EQ(file.Count(), 2);
  EXPECT_EQ(Events(), "@ - loading data...|visible 1|visible 0|@");
}

// Reading and writing report every chunk of 256 KiB.
TEST_F(CarFile, ProgressRunsOverBytesInChunksAndOverCars) {
  const QString path = folder.Write(MakeFile(QByteArray(300'000, 'h'), {a, b}));
  file.LoadFile(path);
  EXPECT_EQ(Events(),
            "@ - loading data...|visible 1|max 300925|value 0|value 262144|value 300925|"
            "@ - processing data...|max 2|value 0|value 1|value 2|visible 0|@");
  file.Car(2).SetPad(1);
  display.events.clear();
  file.Save();
  EXPECT_EQ(Events(),
            "@ - processing data...|max 2|value 0|visible 1|show|value 1|value 2|"
            "@ - writing data...|max 300925|value 0|value 262144|value 300925|visible 0|@");
  // Content kept in part is written as it is made, reported over cars.
  NycGciCars lean(&display);
  lean.SetKeepWholeContent(false);
  lean.LoadFile(path);
  display.events.clear();
  lean.Save();
  EXPECT_EQ(Events(), "@ - writing data...|max 2|value 0|visible 1|show|value 2|visible 0|@");
}

TEST_F(CarFile, AFailedSaveKeepsTheRebuiltContentForTheNextSave) {
  NycGciCars unfilled(&display);
  EXPECT_EQ(ErrorNumberOf([&] { unfilled.SaveAs(folder.Path("never.gci")); }), ErrBadCallContext);
  unfilled.SetMainComment("x");
  EXPECT_EQ(ErrorNumberOf([&] { unfilled.SaveAs(folder.Path("never.gci")); }), ErrBadCallContext);
  EXPECT_TRUE(display.events.isEmpty());
  EXPECT_FALSE(QFile::exists(folder.Path("never.gci")));
  // A copy leaves nothing to save: its cars and content are let go.
  NycGciCars copied;
  const QByteArray original = MakeFile("h", {a});
  copied.LoadFileAndCopy(folder.Write(original, "original.gci"), folder.Path("copy.gci"));
  EXPECT_EQ(ReadFileBytes(folder.Path("copy.gci")), original);
  EXPECT_EQ(copied.Count(), 0);
  EXPECT_EQ(ErrorNumberOf([&] { copied.SaveAs(folder.Path("never.gci")); }), ErrBadCallContext);
  EXPECT_FALSE(QFile::exists(folder.Path("never.gci")));
  file.LoadFile(folder.Write(MakeFile("h", {a})));
  file.Car(1).SetPad(7);
  ASSERT_TRUE(QDir(folder.path()).mkdir("folder.gci"));
  EXPECT_EQ(ErrorNumberOf([&] { file.SaveAs(folder.Path("folder.gci")); }), ErrPathFileAccess);
  EXPECT_TRUE(Events().endsWith("visible 0|@"));
  EXPECT_FALSE(file.IsChanged());
  file.SaveAs(folder.Path("second.gci"));
  EXPECT_TRUE(ReadFileBytes(folder.Path("second.gci")).contains("\r\n7 {pad}\r\n"));
}

static QString Digest(const QByteArray& bytes) {
  return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

// Everything a load, an unchanged save and a rebuilding save leave behind, as
// text: error, display of the load, whether the unchanged save wrote the
// bytes read (or why it wrote nothing), rebuilt bytes, header, cars; and
// apart, the display of the saves, which differs with the way the content is kept.
static std::pair<QStringList, QStringList> Load(const QString& path, const QString& saved,
                                                bool whole) {
  RecordingDisplay display;
  NycGciCars file(&display);
  file.SetKeepWholeContent(whole);
  QStringList outcome;
  try {
    file.LoadFile(path);
    outcome << display.events;
    display.events.clear();
    file.SaveAs(saved);
    outcome << QString::number(ReadFileBytes(saved) == ReadFileBytes(path));
    file.SetMainComment(file.MainComment());  // so that the save rebuilds
    file.SaveAs(saved);
    outcome << Digest(ReadFileBytes(saved));
  } catch (const TorqletError& error) {
    outcome << display.events
            << QStringLiteral("error %1 %2 %3")
                   .arg(error.Number())
                   .arg(error.Source(), error.Reason().Description());
    display.events.clear();
    outcome << QString::number(ErrorNumberOf([&] { file.SaveAs(saved); }));
  }
  QByteArray cars;
  for (std::int32_t i = 1; i <= file.Count(); ++i) cars += file.Car(i).Block();
  outcome << QString::fromLatin1(file.MainComment()) << QString::number(file.Count())
          << QString::number(file.IsChanged()) << Digest(cars);
  return {outcome, display.events};
}

// Large files are loaded and rebuilt by two threads. With the size from which
// that happens lowered, files of 40 cars, good and failing in various cars,
// load and rebuild as with one thread (the hostile corpus does in its replay): the same cars,
// progress, error, first failing car and bytes; also when the cars of either
// half grow beyond the room for them. The same holds for content kept only
// where the cars would write it otherwise, also in files of several MiB,
// whose memory is given back while they are read.
TEST_F(CarFile, TwoThreadsLoadAndRebuildWhatOneThreadDoes) {
  QList<QByteArray> cars;
  for (int i = 1; i <= 40; ++i) {
    cars << MakeBlock("Car " + QByteArray::number(i), i);
    if (i % 7 == 0) cars.last().replace("{mass}", "{heavy}");  // comment sets that differ
  }
  auto broken = [&](std::initializer_list<int> numbers, const QByteArray& from, const char* to) {
    QList<QByteArray> copy = cars;
    for (const int i : numbers) copy[i - 1].replace(from, to);
    return MakeFile("head", copy);
  };
  const QByteArray good = MakeFile("head", cars);
  QList<QByteArray> growing = cars, growingLate = cars;  // in the first half, in the second
  for (int i = 0; i < 20; ++i) {
    growing[i] = QString(cars[i]).replace(QRegularExpression("f[0-9.]+ "), "f1e30 ").toLatin1();
    growingLate[39 - i] = growing[i];
  }
  QList<QByteArray> many;  // 6,000 cars, every 250th written otherwise than a rebuild would
  for (int i = 0; i < 150; ++i) many += cars;
  for (int i = 0; i < many.size(); i += 250) many[i].replace("f16.500 {mass}", "f16.5 {mass}");
  QList<QByteArray> inputs = {
      good,
      good + "\r\n\r\n\r\nxyz",
      broken({5, 30}, "0 {pad}", "0{pad}"),
      MakeFile("head", growing),
      MakeFile("head", growingLate),
      MakeFile(QByteArray(600000, 'h'), cars.mid(0, 2)),
      MakeFile("head", many).chopped(2) + "x\r\n\r\n",
      MakeFile(QByteArray(3'000'000, 'h'), many)};  // a header past the middle
  for (const int car : {2500, 5500}) {
    QList<QByteArray> copy = many;
    copy[car - 1].replace("0 {pad}", "0{pad}");
    inputs << MakeFile("head", copy);
  }
  // The second thread starts near car 21: faults around it and after it. No
  // brace; 21 lines (the error writes diagnostics); overflow; a split block.
  // clang-format off
  const std::pair<QByteArray, const char*> faults[] = {
      {"f16.500 {mass}", "f16.500 mass"}, {"\r\n0 {pad}", ""}, {"f16.500 {mass}", "f3e99 {mass}"},
      {"0 {pad}\r\n", "0 {pad}\r\n\r\n"}};
  // clang-format on
  for (const auto& [from, to] : faults) {
    for (const int car : {20, 21, 22, 23, 24, 40}) inputs << broken({car}, from, to);
  }
  QStringList paths;
  for (const QByteArray& input : inputs)
    paths << folder.Write(input, QByteArray::number(paths.size()));
  const qsizetype threshold = NycGciCars::ParallelMinimumBytes();
  for (const QString& path : paths) {
    SCOPED_TRACE(path.toStdString());
    NycGciCars::SetParallelMinimumBytes(std::numeric_limits<qsizetype>::max());
    const auto one = Load(path, folder.Path("one.gci"), true);
    const auto lean = Load(path, folder.Path("lean.gci"), false);
    EXPECT_EQ(lean.first, one.first);
    NycGciCars::SetParallelMinimumBytes(0);
    EXPECT_EQ(Load(path, folder.Path("two.gci"), true), one);
    EXPECT_EQ(Load(path, folder.Path("two.gci"), false), lean);
  }
  NycGciCars::SetParallelMinimumBytes(threshold);
}
