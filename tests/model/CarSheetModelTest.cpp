#include <QSignalSpy>
#include <functional>

#include "TestSupport.h"
#include "helperlib/Term.h"
#include "model/CarCompare.h"
#include "model/CarDocument.h"
#include "model/CarSortFilterModel.h"
#include "model/CarTableModel.h"
#include "model/CellBlock.h"
#include "model/ChartSeries.h"
#include "model/Manipulation.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

constexpr int Mass = 5;

// Six cars; the masses have ties, the names differ in case.
class CarSheetModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::pair<const char*, const char*> cars[] = {
        {"Taxi b", "3"}, {"alpha", "1"}, {"Taxi A", "2"}, {"Beta", "1"}, {"taxi c", "5"}, {"Gamma", "4"}};
    QList<QByteArray> blocks;
    for (const auto& [name, mass] : cars) {
      blocks << MakeBlock(name, 0).replace("f16.500 {mass}", QByteArray("f") + mass + ".000 {mass}");
    }
    document.LoadFile(folder.Write(MakeFile("six", blocks)));
  }
  std::vector<int> Order() const {
    std::vector<int> cars;
    for (int row = 1; row <= shown.ShownCount(); ++row) cars.push_back(shown.CarOfRow(row));
    return cars;
  }
  static std::unique_ptr<Term> InX(const char* text) {
    auto term = std::make_unique<Term>();
    term->PrepareInX();
    term->SetText(QString::fromLatin1(text));
    return term;
  }

  FileFolder folder;
  CarDocument document;
  CarTableModel table{document};
  CarSortFilterModel shown{table};
};

// Sorting and filtering show cars in another order; equal values and names
// keep the file's order, and the file keeps its own.
TEST_F(CarSheetModelTest, SortsAndFiltersWithoutTouchingTheFile) {
  using Step = std::function<void(CarSortFilterModel&)>;
  const auto term = InX("x >= 3"), below4 = InX("x < 4");
  const std::pair<std::vector<Step>, std::vector<int>> cases[] = {
      {{[](auto& m) { m.SortByColumn(Mass, Qt::AscendingOrder); }}, {2, 4, 3, 1, 6, 5}},
      {{[](auto& m) { m.SortByColumn(Mass, Qt::DescendingOrder); }}, {5, 6, 1, 3, 2, 4}},
      {{[](auto& m) { m.SortByName(); }}, {2, 4, 6, 3, 1, 5}},
      {{[](auto& m) { m.SortByName(); }, [](auto& m) { m.SortInFileOrder(); }}, {1, 2, 3, 4, 5, 6}},
      {{[](auto& m) { m.SetFilter(QStringLiteral("TAXI"), nullptr, Mass); }}, {1, 3, 5}},
      {{[&](auto& m) { m.SetFilter(QStringLiteral("taxi"), term.get(), Mass); }}, {1, 5}},
      {{[](auto& m) { m.SortByColumn(Mass, Qt::DescendingOrder); },
        [&](auto& m) { m.SetFilter(QString(), below4.get(), Mass); }},
       {1, 3, 2, 4}},
      {{[&](auto& m) { m.SetFilter(QString(), term.get(), Mass); }, [](auto& m) { m.ClearFilter(); }},
       {1, 2, 3, 4, 5, 6}},
  };
  for (const auto& [steps, cars] : cases) {
    shown.SortInFileOrder();
    shown.ClearFilter();
    for (const Step& step : steps) step(shown);
    EXPECT_EQ(Order(), cars);
  }
  EXPECT_EQ(document.CarFile().Car(2).Name(), "alpha");

  // An edit moves no row; the command given again sorts anew. Loading starts afresh.
  shown.SortByColumn(Mass, Qt::AscendingOrder);
  ASSERT_TRUE(shown.setData(shown.index(0, Mass - CarTableModel::ColumnOffset), QStringLiteral("9")));
  EXPECT_FALSE(shown.setData(shown.index(0, Mass - CarTableModel::ColumnOffset), QStringLiteral("x")));
  EXPECT_EQ(document.CarFile().Car(2).Mass(), 9.0f);
  EXPECT_EQ(Order(), std::vector<int>({2, 4, 3, 1, 6, 5}));
  shown.SortByColumn(Mass, Qt::AscendingOrder);
  EXPECT_EQ(Order(), std::vector<int>({4, 3, 1, 6, 5, 2}));
  EXPECT_EQ(shown.headerData(0, Qt::Vertical, Qt::DisplayRole), QStringLiteral("Beta"));
  for (const int row : {-1, 7}) EXPECT_EQ(ErrorNumberOf([&] { table.CellText(row, Mass); }), ErrInvalidArgument);
  document.NewFile();
  EXPECT_TRUE(shown.InFileOrder());
  EXPECT_EQ(shown.ShownCount(), document.CarFile().Count());
}

// What Manipulate, Copy, Paste and Find do in a sorted or filtered view: the
// cars of the shown rows, in the shown order.
TEST_F(CarSheetModelTest, CommandsActOnTheCarsOfTheShownRows) {
  shown.SortByColumn(Mass, Qt::DescendingOrder);  // 5, 6, 1, 3, 2, 4
  const auto twice = InX("x*2");
  Manipulation manipulation(*twice, QLocale::c());
  manipulation.Cells(document.CarFile(), shown.Cells(2, 3, Mass, Mass + 1));
  std::vector<std::pair<int, int>> changed;
  for (const CellValue& value : manipulation.Values()) changed.emplace_back(value.row, value.col);
  EXPECT_EQ(changed, (std::vector<std::pair<int, int>>{{6, 5}, {6, 6}, {1, 5}, {1, 6}}));
  const CellBlock copy(table, QLocale::c());
  EXPECT_EQ(copy.Text(shown.Cells(5, 9, Mass, Mass)), QStringLiteral("1.000\n1.000\n"));

  // A paste at a shown row (cars 5, 1, 3 while filtered) into the cells it
  // changes (car:column), or why it changes none.
  shown.SetFilter(QStringLiteral("taxi"), nullptr, Mass);
  const std::tuple<const char*, int, int, int, const char*> pastes[] = {
      {"7\t0.5\n8\n", 2, Mass, 1, "1:5 1:6 3:5"},
      {"6", 1, Mass, 3, "5:5 5:6 1:5 1:6 3:5 3:6"},  // one value into a selection
      {"7\n8\n", 3, Mass, 1, "The pasted block reaches past the last car."},
      {"1\t2", 1, 21, 1, "The pasted block reaches past the last column."},
      {"1\t2\nabc", 1, 4, 1, "Row 2, column pad: \"abc\" is not a number."},
      {"99999999999", 1, 2, 1, "Row 1, column turbo: \"99999999999\" is too large for this column."}};
  for (const auto& [text, row, col, selectedRows, expected] : pastes) {
    CellBlock block(table, QLocale::c());
    QStringList result;
    if (block.Read(TabTable::Read(text, QStringLiteral("clipboard")),
                   shown.Cells(row, row + selectedRows - 1, col, col + 1),
                   shown.Cells(row, 9, col, col))) {
      for (const CellValue& value : block.Values()) result << QStringLiteral("%1:%2").arg(value.row).arg(value.col);
    } else {
      result << block.Error();
      EXPECT_TRUE(block.Values().empty());
    }
    EXPECT_EQ(result.join(' '), QLatin1String(expected));
  }

  shown.ClearFilter();
  shown.SortByName();  // 2, 4, 6, 3, 1, 5
  const std::pair<int, int> finds[] = {{0, 4}, {4, 5}, {6, 4}, {3, 4}};
  for (const auto& [after, row] : finds) EXPECT_EQ(shown.FindName(QStringLiteral("TAXI"), after), row);
  EXPECT_EQ(shown.FindName(QStringLiteral("Zed"), 1), 0);
}

}  // namespace

namespace {

// Compared with another document, cars match by name as diff matches them;
// the differing cells and the unmatched cars are marked through the table,
// follow edits on both sides, are taken across as one step, and are visited
// in the shown order.
TEST_F(CarSheetModelTest, AComparisonMarksFollowsTakesAndVisitsTheDifferences) {
  CarDocument other;
  QList<QByteArray> blocks = {MakeBlock("Gamma", 0), MakeBlock("alpha", 0), MakeBlock("Taxi b", 0),
                              MakeBlock("New", 0)};
  blocks[0].replace("f16.500 {mass}", "f4.000 {mass}").replace("50 {value}", "51 {value}");
  other.LoadFile(folder.Write(MakeFile("other", blocks), "other.gci"));
  CarCompare compare(document, other);
  table.SetCompare(&compare, 0);
  // Six cars against four: Gamma differs in value, alpha and Taxi b in mass.
  EXPECT_EQ(compare.Differences(), 3);
  EXPECT_TRUE(compare.Differs(0, 6, 3) && !compare.Differs(0, 6, Mass) &&
              compare.Differs(0, 2, Mass));
  EXPECT_TRUE(compare.OnlyHere(0, 3) && compare.OnlyHere(1, 4) && !compare.OnlyHere(0, 1));
  EXPECT_EQ(table.data(table.index(1, Mass - 2), Qt::BackgroundRole),
            CarTableModel::DifferenceColor());
  EXPECT_EQ(table.headerData(2, Qt::Vertical, Qt::BackgroundRole), CarTableModel::OnlyHereColor());

  // Sorted by mass (alpha, Beta, Taxi A, Taxi b, Gamma, taxi c): the
  // differences in that order, wrapping at the ends.
  shown.SortByColumn(Mass, Qt::AscendingOrder);
  const auto step = [&](int row, int col, bool forward) {
    const auto place = compare.Step(0, shown, row, col, forward);
    return QList<std::int64_t>{place->row, place->col, place->index, place->total, place->wrapped};
  };
  EXPECT_EQ(step(1, 2, true), QList<std::int64_t>({1, Mass, 1, 3, 0}));
  EXPECT_EQ(step(1, Mass, true), QList<std::int64_t>({4, Mass, 2, 3, 0}));
  EXPECT_EQ(step(5, 3, true), QList<std::int64_t>({1, Mass, 1, 3, 1}));
  EXPECT_EQ(step(1, Mass, false), QList<std::int64_t>({5, 3, 3, 3, 1}));

  // An edit that makes a cell equal ends its mark on both sides; undo brings it back.
  QSignalSpy marks(&compare, &CarCompare::MarksChanged);
  document.SetCells({{2, Mass, LineValue::FromFloat(16.5f)}}, [](std::int64_t) { return "e"; });
  EXPECT_EQ(marks.size(), 2) << "one update a side for the step";
  EXPECT_TRUE(!compare.Differs(0, 2, Mass) && !compare.Differs(1, 2, Mass));
  EXPECT_EQ(compare.Differences(), 2);
  document.History().undo();
  EXPECT_EQ(compare.Differences(), 3);
  // Taken over a selection: only the differing cells, one step.
  EXPECT_EQ(compare.Take(0, {{6, 3}, {6, Mass}, {2, Mass}, {3, Mass}}, "2: other.gci"), 2);
  EXPECT_EQ(document.History().undoText(), "Take 2 values from 2: other.gci");
  EXPECT_EQ(document.CarFile().Car(6).Value(), 51);
  EXPECT_EQ(compare.Differences(), 1);
  document.History().undo();
  EXPECT_EQ(compare.Differences(), 3);
}

}  // namespace

// A chart's bars follow the shown order and the selected rows; with more
// cars than bars, each bar keeps its run's extremes and their cars; points
// come unselected first, and a crowd of equal points thins out to one while
// a selected car is never dropped.
TEST_F(CarSheetModelTest, ChartSeriesFollowTheShownOrderAndKeepTheExtremes) {
  shown.SortByColumn(Mass, Qt::DescendingOrder);
  std::vector<double> highs;
  for (const ChartSeries::Run& run : ChartSeries::Bars(shown, Mass, 2, 3)) {
    EXPECT_TRUE(run.firstRow == run.lastRow && run.low == run.high);
    EXPECT_EQ(run.selected, run.firstRow == 2 || run.firstRow == 3);
    highs.push_back(run.high);
  }
  EXPECT_EQ(highs, std::vector<double>({5, 4, 3, 2, 1, 1}));
  const std::vector<ChartSeries::Point> six = ChartSeries::Points(shown, Mass, 3, 1, 1);
  ASSERT_EQ(six.size(), 6u);
  EXPECT_TRUE(six.back().selected && six.back().row == 1 && six.back().x == 5);

  QList<QByteArray> blocks;
  for (int car = 1; car <= 5000; ++car) {
    const QByteArray mass = car == 777 ? "99" : car == 10 ? "-5" : "1";
    blocks << MakeBlock("c" + QByteArray::number(car), 0).replace("f16.500", "f" + mass);
  }
  document.LoadFile(folder.Write(MakeFile("many", blocks), "many.gci"));
  shown.SortInFileOrder();
  const std::vector<ChartSeries::Run> runs = ChartSeries::Bars(shown, Mass, 0, 0);
  ASSERT_EQ(runs.size(), std::size_t(ChartSeries::MaxBars));
  EXPECT_EQ(runs.front().firstRow, 1);
  EXPECT_EQ(runs.back().lastRow, 5000);
  for (std::size_t i = 1; i < runs.size(); ++i) EXPECT_EQ(runs[i].firstRow, runs[i - 1].lastRow + 1);
  const ChartSeries::Run& peak = runs[std::size_t(776 * ChartSeries::MaxBars / 5000)];
  EXPECT_TRUE(peak.high == 99 && peak.highRow == 777 && peak.low == 1);
  EXPECT_TRUE(runs[0].low == -5 && runs[0].lowRow == 10);
  const std::vector<ChartSeries::Point> points = ChartSeries::Points(shown, Mass, 3, 4, 4);
  ASSERT_EQ(points.size(), 4u) << "-5, 1, 99 and the selected car";
  EXPECT_TRUE(points.back().selected && points.back().row == 4);
}
