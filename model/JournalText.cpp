#include "model/JournalText.h"

#include <QCoreApplication>
#include <QFile>
#include <charconv>
#include <cstring>

#include "model/CarField.h"
#include "model/ColumnTable.h"

namespace {

constexpr QByteArrayView Heading = "torqlet recovery journal 1";

QByteArray Escaped(QByteArrayView text) {
  QByteArray out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<QByteArray> Unescaped(QByteArrayView text) {
  QByteArray out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

template <typename Number>
void Append(QByteArray& out, Number value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end - buffer);
}

template <typename Number>
bool Parse(QByteArrayView text, Number& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && !text.isEmpty();
}

QString Tr(const char* text) { return QCoreApplication::translate("JournalText", text); }

}  // namespace

std::int64_t JournalText::Content::ValueCount() const {
  std::int64_t count = 0;
  for (const Car& car : cars) count += std::int64_t(car.values.size());
  return count;
}

QByteArray JournalText::Write(const Content& content) {
  QByteArray out;
  qsizetype size = qsizetype(64 + content.cars.size() * 24 + content.ValueCount() * 16);
  for (const QByteArray& block : content.blocks) size += block.size() + 32;
  out.reserve(size);
  out += Heading;
  out += "\nfile\t" + Escaped(QFile::encodeName(content.fileName)) + "\nidentity\t";
  const FileIdentity& id = content.identity;
  if (id.IsValid()) {
    Append(out, id.Device());
    out += ' ';
    Append(out, id.Inode());
    out += ' ';
    Append(out, id.Size());
    out += ' ';
    Append(out, id.ModificationTime());
  } else {
    out += "none";
  }
  out += "\ncars\t";
  Append(out, content.carCount);
  out += '\n';
  for (const Car& car : content.cars) {
    out += "car\t";
    Append(out, car.row);
    out += '\t' + Escaped(car.name) + '\n';
    for (const auto& [col, value] : car.values) {
      out += "value\t";
      Append(out, int(col));
      out += '\t';
      if (value.kind == LineValue::Kind::Integer) {
        Append(out, value.integer);
      } else {
        Append(out, value.real);
      }
      out += '\n';
    }
  }
  for (const QByteArray& block : content.blocks) out += "block\t" + Escaped(block) + '\n';
  out += "end\t";
  Append(out, content.ValueCount() + std::int64_t(content.blocks.size()));
  out += '\n';
  return out;
}

std::optional<JournalText::Content> JournalText::Read(QByteArrayView text, QString& fault) {
  Content content;
  qsizetype at = 0;
  int number = 0;
  bool ended = false;
  std::int64_t values = 0;
  const auto refuse = [&](const char* why) {
    fault = QCoreApplication::translate("JournalText", "line %1: %2").arg(number).arg(Tr(why));
    return std::nullopt;
  };
  while (at < text.size()) {
    ++number;
    qsizetype stop = text.indexOf('\n', at);
    if (stop < 0) return refuse(QT_TRANSLATE_NOOP("JournalText", "the line has no end"));
    const QByteArrayView line = text.sliced(at, stop - at);
    at = stop + 1;
    if (ended) return refuse(QT_TRANSLATE_NOOP("JournalText", "there is text after the end"));
    if (number == 1) {
      if (line != Heading)
        return refuse(QT_TRANSLATE_NOOP("JournalText", "this is no recovery journal"));
      continue;
    }
    const qsizetype tab = line.indexOf('\t');
    const QByteArrayView key = tab < 0 ? line : line.first(tab);
    const QByteArrayView rest = tab < 0 ? QByteArrayView() : line.sliced(tab + 1);
    if (key == "file" && number == 2) {
      const auto name = Unescaped(rest);
      if (!name) return refuse(QT_TRANSLATE_NOOP("JournalText", "the file name does not read"));
      content.fileName = QFile::decodeName(*name);
    } else if (key == "identity" && number == 3) {
      if (rest != "none") {
        const QList<QByteArray> parts = rest.toByteArray().split(' ');
        std::uint64_t device = 0, inode = 0;
        std::int64_t size = 0, modified = 0;
        if (parts.size() != 4 || !Parse(parts[0], device) || !Parse(parts[1], inode) ||
            !Parse(parts[2], size) || !Parse(parts[3], modified)) {
          return refuse(QT_TRANSLATE_NOOP("JournalText", "the file's identity does not read"));
        }
        content.identity = FileIdentity::Made(device, inode, size, modified);
      }
    } else if (key == "cars" && number == 4) {
      if (!Parse(rest, content.carCount) || content.carCount < 0) {
        return refuse(QT_TRANSLATE_NOOP("JournalText", "the number of cars does not read"));
      }
    } else if (key == "block" && number > 4 && content.cars.empty()) {
      auto block = Unescaped(rest);
      if (!block || qsizetype(content.blocks.size()) >= content.carCount) {
        return refuse(QT_TRANSLATE_NOOP("JournalText", "the block line does not read"));
      }
      content.blocks.push_back(std::move(*block));
      ++values;
    } else if (key == "car" && number > 4 && content.blocks.empty()) {
      const qsizetype split = rest.indexOf('\t');
      Car car;
      const auto name = split < 0 ? std::nullopt : Unescaped(rest.sliced(split + 1));
      if (!name || !Parse(rest.first(split), car.row) || car.row < 1 ||
          car.row > content.carCount ||
          (!content.cars.empty() && car.row <= content.cars.back().row)) {
        return refuse(QT_TRANSLATE_NOOP("JournalText", "the car line does not read"));
      }
      car.name = *name;
      content.cars.push_back(std::move(car));
    } else if (key == "value" && !content.cars.empty()) {
      const qsizetype split = rest.indexOf('\t');
      int col = 0;
      if (split < 0 || !Parse(rest.first(split), col) || !ColumnTable::IsEditable(col)) {
        return refuse(QT_TRANSLATE_NOOP("JournalText", "the value line names no value column"));
      }
      const QByteArrayView digits = rest.sliced(split + 1);
      LineValue value;
      if (IsIntegerField(ColumnTable::Field(col))) {
        std::int32_t integer = 0;
        if (Parse(digits, integer)) value = LineValue::FromInteger(integer);
      } else {
        float real = 0;
        if (Parse(digits, real)) value = LineValue::FromFloat(real);
      }
      if (value.kind == LineValue::Kind::None) {
        return refuse(QT_TRANSLATE_NOOP("JournalText", "the value does not read"));
      }
      content.cars.back().values.emplace_back(std::uint8_t(col), value);
      ++values;
    } else if (key == "end" && number > 4) {
      std::int64_t count = 0;
      if (!Parse(rest, count) || count != values ||
          (!content.blocks.empty() && qsizetype(content.blocks.size()) != content.carCount)) {
        return refuse(QT_TRANSLATE_NOOP("JournalText", "the end line does not count the values"));
      }
      ended = true;
    } else {
      return refuse(QT_TRANSLATE_NOOP("JournalText", "the line is not understood"));
    }
  }
  if (!ended) {
    number = number + 1;
    return refuse(QT_TRANSLATE_NOOP("JournalText", "the journal ends before its end line"));
  }
  return content;
}
