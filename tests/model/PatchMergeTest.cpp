#include "TestSupport.h"
#include "helperlib/DataHandler.h"
#include "model/CarDocument.h"
#include "model/CarMerge.h"
#include "model/CarPatch.h"

namespace {

// A small base file and its variations: each car by name and mass.
using Cars = NamesAndMasses;
const auto FileOf = MakeFileOfMasses;

const Cars Base = {{"Alpha", "16.500"}, {"Beta", "16.500"}, {"Twin", "1.000"}, {"Twin", "2.000"}};

class PatchMergeTest : public ::testing::Test {
 protected:
  NycGciCars& Load(const Cars& cars, const char* name) {
    files.push_back(std::make_unique<NycGciCars>());
    files.back()->LoadFile(folder.Write(FileOf(cars), name));
    return *files.back();
  }
  QByteArray Saved(NycGciCars& file) {
    file.Save();
    return ReadFileBytes(file.Data().FileName());
  }

  FileFolder folder;
  std::vector<std::unique_ptr<NycGciCars>> files;
};

// diff --patch A B applied to A gives B in its rebuilt form, and a second
// time changes nothing; applied to a file with another mod it reports each
// clash and changes nothing.
TEST_F(PatchMergeTest, APatchMakesBOfAAndRefusesAClashWhole) {
  const Cars variations[] = {
      {{"Alpha", "17.250"}, {"Beta", "16.500"}, {"Twin", "1.000"}, {"Twin", "2.000"}},
      {{"Alpha", "16.500"}, {"Twin", "1.000"}, {"Twin", "2.500"}},  // Beta removed
      {{"New", "3.000"},
       {"Alpha", "16.500"},
       {"Beta", "16.500"},
       {"Twin", "1.000"},
       {"Twin", "2.000"},
       {"Last", "0.100"}},  // added first and last
      {{"Alpha", "16.500"}, {"Beta", "0.500"}, {"Twin", "2.000"}, {"Twin", "1.000"}}};
  for (const Cars& b : variations) {
    const QByteArray patch = CarPatch::Make(Load(Base, "a.gci"), Load(b, "b.gci"));
    SCOPED_TRACE(patch.toStdString());
    NycGciCars& target = Load(Base, "target.gci");
    CarPatch::Outcome outcome = CarPatch::Apply(target, patch, "p", false);
    EXPECT_TRUE(outcome.conflicts.isEmpty());
    EXPECT_GT(outcome.changed, 0);
    EXPECT_EQ(Saved(target), FileOf(b));
    outcome = CarPatch::Apply(target, patch, "p", false);
    EXPECT_EQ(outcome.changed, 0);
    EXPECT_EQ(outcome.applied, patch.count('\n') - 1);
  }
  const QByteArray patch = CarPatch::Make(Load(Base, "a.gci"), Load(variations[1], "b.gci"));
  NycGciCars& other = Load(
      {{"Alpha", "16.500"}, {"Beta", "16.500"}, {"Twin", "1.000"}, {"Twin", "9.000"}}, "other.gci");
  const CarPatch::Outcome clash = CarPatch::Apply(other, patch, "p", false);
  EXPECT_EQ(clash.conflicts, QList<QByteArray>({"Twin\tmass\t2.000\t9.000"}));
  EXPECT_FALSE(other.IsChanged());
  EXPECT_EQ(CarPatch::Apply(Load({{"Gamma", "1.000"}}, "x.gci"), patch, "p", true).conflicts.size(),
            1)
      << "the changed car; the removed one is gone already";

  const std::pair<QByteArray, const char*> broken[] = {
      {"torqlet patch 2\n", "line 1: this is no torqlet patch"},
      {"torqlet patch 1\nvalue\tAlpha\t1\tmass\t16.500\n",
       "line 2: 5 fields where the line takes 6"},
      {"torqlet patch 1\n# a comment\nmove\tAlpha\t1\n", "line 3: the line is no value"},
      {"torqlet patch 1\nvalue\tAlpha\t1\tmass\t16.5x\t1\n", "line 2: a value does not read"},
      {"torqlet patch 1\nvalue\tAlpha\t1\tmess\t16.5\t1\n", "line 2: no column 'mess'"}};
  for (const auto& [bytes, why] : broken) {
    const TorqletError error =
        ErrorOf([&] { CarPatch::Apply(Load(Base, "t.gci"), bytes, "p", false); });
    EXPECT_TRUE(error.Description().contains(QStringLiteral("p ") + why)) << error.Description();
  }
}

// Ours and theirs changed Alpha's and Beta's mass, Twin's second or a car:
// what the merge takes, and what conflicts.
TEST_F(PatchMergeTest, AThreeWayMergeTakesOneSidedChangesAndListsClashes) {
  const struct {
    Cars ours, theirs;
    Cars merged;  // with no conflict
    const char* conflict;
  } cases[] = {
      {{{"Alpha", "1.000"}, {"Beta", "16.500"}, {"Twin", "1.000"}, {"Twin", "2.000"}},
       {{"Added", "5.000"},  // first and last
        {"Alpha", "16.500"},
        {"Beta", "2.000"},
        {"Twin", "1.000"},
        {"Twin", "2.000"},
        {"Last", "5.000"}},
       {{"Added", "5.000"},
        {"Alpha", "1.000"},
        {"Beta", "2.000"},
        {"Twin", "1.000"},
        {"Twin", "2.000"},
        {"Last", "5.000"}},
       nullptr},
      {{{"Alpha", "16.500"}, {"Beta", "1.000"}, {"Twin", "1.000"}, {"Twin", "2.000"}},
       {{"Beta", "1.000"}, {"Twin", "1.000"}, {"Twin", "2.000"}},  // same change; Alpha removed
       {{"Beta", "1.000"}, {"Twin", "1.000"}, {"Twin", "2.000"}},
       nullptr},
      {{{"Alpha", "1.000"}, {"Beta", "16.500"}, {"Twin", "1.000"}, {"Twin", "2.000"}},
       {{"Alpha", "3.000"}, {"Beta", "16.500"}, {"Twin", "1.000"}, {"Twin", "2.000"}},
       {},
       "Alpha\tmass\t16.500\t1.000\t3.000"},
      {{{"Alpha", "16.500"}, {"Beta", "7.000"}, {"Twin", "1.000"}, {"Twin", "2.000"}},
       {{"Alpha", "16.500"}, {"Twin", "1.000"}, {"Twin", "2.000"}},  // removed there, changed here
       {},
       "Beta\t\t\tchanged\tremoved"}};
  for (const auto& c : cases) {
    NycGciCars& base = Load(Base, "base.gci");
    NycGciCars& ours = Load(c.ours, "ours.gci");
    const CarMerge::Outcome outcome =
        CarMerge::Merge(base, ours, Load(c.theirs, "theirs.gci"), CarMerge::Prefer::Neither);
    if (c.conflict) {
      EXPECT_EQ(outcome.conflicts, QList<QByteArray>({c.conflict}));
      EXPECT_FALSE(ours.IsChanged());
      NycGciCars& decided = Load(c.ours, "ours.gci");
      CarMerge::Merge(base, decided, Load(c.theirs, "theirs.gci"), CarMerge::Prefer::Theirs);
      EXPECT_EQ(Saved(decided), FileOf(c.theirs)) << "theirs decides";
    } else {
      EXPECT_TRUE(outcome.conflicts.isEmpty()) << outcome.conflicts.join('|').toStdString();
      EXPECT_EQ(Saved(ours), FileOf(c.merged));
    }
  }
}

// Merged into an open document, the merge is one step of its history that
// puts the merged cars in place and undo takes back to the very bytes of
// the file; while it stands, the unsaved state is the whole list of cars.
TEST_F(PatchMergeTest, AMergeIntoADocumentIsOneStepThatUndoTakesBack) {
  const Cars theirs = {{"Alpha", "16.500"},
                       {"Beta", "2.000"},
                       {"Twin", "1.000"},
                       {"Twin", "2.000"},
                       {"New", "5.000"}};
  const Cars merged = {{"Alpha", "1.000"},
                       {"Beta", "2.000"},
                       {"Twin", "1.000"},
                       {"Twin", "2.000"},
                       {"New", "5.000"}};
  const Cars ours = {{"Alpha", "1.000"}, {"Beta", "16.500"}, {"Twin", "1.000"}, {"Twin", "2.000"}};
  CarDocument document;
  document.LoadFile(folder.Write(FileOf(ours), "ours.gci"));
  CarDocument::Cars cars;
  const CarMerge::Outcome outcome =
      CarMerge::Merged(Load(Base, "base.gci"), document.CarFile(), Load(theirs, "theirs.gci"),
                       CarMerge::Prefer::Neither, cars);
  EXPECT_EQ(outcome.changed, 2);
  EXPECT_EQ(document.CarFile().Count(), 4) << "the document is left alone";
  EXPECT_EQ(document.CarFile().Car(2).Mass(), 16.5f);
  QUndoStack& history = document.History();
  ASSERT_TRUE(document.ReplaceCars(cars, "Merge"));
  EXPECT_FALSE(document.ReplaceCars(cars, "Merge")) << "the same cars make no step";
  EXPECT_EQ(history.count(), 1);
  EXPECT_TRUE(document.CarsReplacedSinceSave());
  EXPECT_TRUE(document.UnsavedCells().empty());
  history.undo();
  EXPECT_FALSE(document.Changed());
  EXPECT_FALSE(document.CarsReplacedSinceSave());
  document.Save();
  EXPECT_EQ(ReadFileBytes(document.FileName()), FileOf(ours)) << "written back unchanged";
  history.redo();
  document.Save();
  EXPECT_EQ(ReadFileBytes(document.FileName()), FileOf(merged));
  EXPECT_FALSE(document.CarsReplacedSinceSave());
  history.undo();  // before the save
  EXPECT_TRUE(document.CarsReplacedSinceSave());
  document.SetCells({{1, 5, LineValue::FromFloat(4)}}, [](std::int64_t) { return "edit"; });
  EXPECT_TRUE(document.CarsReplacedSinceSave()) << "the saved state left the history";
}

}  // namespace
