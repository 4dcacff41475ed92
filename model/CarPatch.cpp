#include "model/CarPatch.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <memory>
#include <vector>

#include "base/RuntimeErrors.h"
#include "base/TorqletError.h"
#include "model/CarNames.h"
#include "model/ColumnTable.h"
#include "model/ExactValue.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "model/TabTable.h"

namespace {

constexpr QByteArrayView Heading = "torqlet patch 1";
constexpr int ValueLineCount = 21;

// Each column's heading where it names one column, else its number (by
// sheet column, 0 unused).
std::vector<QByteArray> ColumnNames(const NycGciCars& file) {
  std::vector<QByteArray> names(ColumnTable::ColumnCount);
  QHash<QByteArray, int> uses;
  for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
    names[std::size_t(col)] = file.Car(1).Comment(ColumnTable::Field(col));
    ++uses[names[std::size_t(col)]];
  }
  for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
    if (uses[names[std::size_t(col)]] > 1) names[std::size_t(col)] = QByteArray::number(col);
  }
  return names;
}

QByteArray Line(const QList<QByteArray>& fields) {
  QByteArray line;
  for (const QByteArray& field : fields) {
    if (!line.isEmpty() || &field != &fields.front()) line += '\t';
    line += TabTable::Field(field);
  }
  return line + '\n';
}
// The 21 value lines of a car's block.
QList<QByteArray> ValueLines(const NycGciCar& car) {
  return car.Block().split('\n').mid(1, ValueLineCount);
}

QByteArray Trimmed(QByteArray line) {
  if (line.endsWith('\r')) line.chop(1);
  return line;
}

}  // namespace

QByteArray CarPatch::Make(const NycGciCars& a, const NycGciCars& b) {
  QByteArray patch = Heading.toByteArray() + "\n";
  const std::vector<int> match = CarNames::MatchInOrder(a, b);
  const std::vector<int> inA = CarNames::Numbers(a), inB = CarNames::Numbers(b);
  const std::vector<QByteArray> columns = ColumnNames(a);
  std::vector<bool> matched(std::size_t(b.Count()), false);
  for (std::int32_t i = 0; i < a.Count(); ++i) {
    const NycGciCar& car = a.Car(i + 1);
    const QByteArray number = QByteArray::number(inA[std::size_t(i)]);
    const int j = match[std::size_t(i)];
    if (j < 0) {
      patch += Line({"remove", car.Name(), number});
      continue;
    }
    matched[std::size_t(j)] = true;
    const NycGciCar& other = b.Car(j + 1);
    for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
      const LineValue old = car.ValueOf(ColumnTable::Field(col));
      const LineValue now = other.ValueOf(ColumnTable::Field(col));
      if (SameValue(old, now)) continue;
      patch += Line({"value", car.Name(), number, columns[std::size_t(col)], ExactValue::Text(old),
                     ExactValue::Text(now)});
    }
  }
  for (std::int32_t j = 0; j < b.Count(); ++j) {
    if (matched[std::size_t(j)]) continue;
    const NycGciCar& car = b.Car(j + 1);
    QList<QByteArray> fields{"add", car.Name(), QByteArray::number(inB[std::size_t(j)])};
    fields << (j > 0 ? b.Car(j).Name() : QByteArray())
           << QByteArray::number(j > 0 ? inB[std::size_t(j - 1)] : 0);
    for (const QByteArray& line : ValueLines(car)) fields << Trimmed(line);
    patch += Line(fields);
  }
  return patch;
}

namespace {

// The cars of a list by name and number among their namesakes.
class CarIndex {
 public:
  explicit CarIndex(const std::vector<std::shared_ptr<NycGciCar>>& cars) {
    for (const auto& car : cars) byName_[car->Name()].push_back(car);
  }
  std::shared_ptr<NycGciCar> Find(const QByteArray& name, int number) const {
    const auto found = byName_.constFind(name);
    if (found == byName_.constEnd() || number < 1 || number > int(found->size())) return nullptr;
    return (*found)[std::size_t(number - 1)];
  }

 private:
  QHash<QByteArray, std::vector<std::shared_ptr<NycGciCar>>> byName_;
};

struct ValueChange {
  std::shared_ptr<NycGciCar> car;
  int col;
  LineValue value;
};

struct Addition {
  QByteArray name, after;
  int afterNumber;
  std::shared_ptr<NycGciCar> car;  // read from the patch's lines
};

}  // namespace

CarPatch::Outcome CarPatch::Apply(NycGciCars& file, QByteArrayView patch, const QString& patchName,
                                  bool dryRun) {
  Outcome outcome;
  TabTable table(patch, patchName);
  TabTable::Row row;
  const auto refuse = [&](const QString& why) {
    RaiseRuntimeError(ErrInvalidArgument, QCoreApplication::translate("CarPatch", "%1 line %2: %3")
                                              .arg(patchName)
                                              .arg(row.line)
                                              .arg(why));
  };
  if (!table.Next(row, 1) || row.count != 1 || row.fields[0] != Heading) {
    refuse(QCoreApplication::translate("CarPatch", "this is no torqlet patch"));
  }
  const CarIndex cars(file.Cars());
  // A column by the name a patch gives it, or by its number.
  QHash<QByteArray, int> columns;
  const std::vector<QByteArray> names = ColumnNames(file);
  for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
    columns.insert(names[std::size_t(col)], col);
    columns.insert(QByteArray::number(col), col);
  }
  std::vector<ValueChange> changes;
  std::vector<std::shared_ptr<NycGciCar>> removed;
  std::vector<Addition> added;
  const auto number = [&](const QByteArray& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
      refuse(QCoreApplication::translate("CarPatch", "the car's number does not read"));
    return value;
  };
  while (table.Next(row, 3 + 2 + ValueLineCount)) {
    const QList<QByteArray>& f = row.fields;
    if (f.isEmpty() || f[0].startsWith('#') || (row.count == 1 && f[0].isEmpty())) continue;
    const QByteArray& kind = f[0];
    const qsizetype wanted = kind == "value"    ? 6
                             : kind == "remove" ? 3
                             : kind == "add"    ? 5 + ValueLineCount
                                                : -1;
    if (wanted < 0)
      refuse(QCoreApplication::translate("CarPatch", "the line is no value, remove or add line"));
    if (row.count != wanted)
      refuse(QCoreApplication::translate("CarPatch", "%1 fields where the line takes %2")
                 .arg(row.count)
                 .arg(wanted));
    const std::shared_ptr<NycGciCar> car = cars.Find(f[1], number(f[2]));
    if (kind == "value") {
      if (!car) {
        outcome.conflicts << f[1] + "\t\ta car of this name\tnone";
        continue;
      }
      const int col = columns.value(f[3], -1);
      if (col < 0)
        refuse(QCoreApplication::translate("CarPatch", "no column '%1'")
                   .arg(QString::fromLatin1(f[3])));
      const bool integer = IsIntegerField(ColumnTable::Field(col));
      const auto old = ExactValue::Read(f[4], integer), now = ExactValue::Read(f[5], integer);
      if (!old || !now) refuse(QCoreApplication::translate("CarPatch", "a value does not read"));
      const LineValue current = car->ValueOf(ColumnTable::Field(col));
      if (SameValue(current, *now)) {
        ++outcome.applied;
      } else if (SameValue(current, *old)) {
        changes.push_back({car, col, *now});
      } else {
        outcome.conflicts << f[1] + '\t' + f[3] + '\t' + f[4] + '\t' + ExactValue::Text(current);
      }
    } else if (kind == "remove") {
      if (car) {
        removed.push_back(car);
      } else {
        ++outcome.applied;
      }
    } else {
      QByteArray block = "{" + f[1] + "}";
      for (const QByteArray& line : f.mid(5)) block += "\r\n" + line;
      if (!car) {
        // Read now, so that a car that does not read refuses the patch
        // before anything changed, also in a dry run.
        auto made = std::make_shared<NycGciCar>();
        try {
          made->SetBlock(block);
        } catch (const TorqletError& error) {
          refuse(QCoreApplication::translate("CarPatch", "the added car does not read: %1")
                     .arg(error.Description()));
        }
        added.push_back({f[1], f[3], number(f[4]), std::move(made)});
      } else if (car->Block() == block) {
        ++outcome.applied;
      } else {
        outcome.conflicts << f[1] + "\t\tno car of this name\tanother car";
      }
    }
  }
  outcome.changed = std::int64_t(changes.size() + removed.size() + added.size());
  if (!outcome.conflicts.isEmpty() || dryRun) return outcome;
  for (const ValueChange& change : changes) SetValue(*change.car, change.col, change.value);
  std::vector<std::shared_ptr<NycGciCar>> list = file.Cars();
  std::erase_if(list, [&removed](const auto& car) {
    return std::find(removed.begin(), removed.end(), car) != removed.end();
  });
  for (const Addition& addition : added) {
    const std::shared_ptr<NycGciCar> after =
        CarIndex(list).Find(addition.after, addition.afterNumber);
    const auto at = after ? std::find(list.begin(), list.end(), after) + 1 : list.begin();
    list.insert(at, addition.car);
  }
  if (!removed.empty() || !added.empty()) file.SetCars(std::move(list));
  return outcome;
}

void CarPatch::SetValue(NycGciCar& car, int col, const LineValue& value) {
  const CarField field = ColumnTable::Field(col);
  if (field == CarField::Model) {
    QList<QByteArray> lines = car.Block().split('\n');
    lines[1] = QByteArray::number(value.integer) + " {" + car.ModelComment() + "}\r";
    car.SetBlock(lines.join('\n'));
  } else if (value.kind == LineValue::Kind::Integer) {
    car.SetInteger(field, value.integer);
  } else {
    car.SetFloat(field, value.real);
  }
}
