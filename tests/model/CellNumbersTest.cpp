#include <QSet>
#include <cfloat>

#include "TestSupport.h"
#include "model/CellNumbers.h"
#include "model/ColumnTable.h"
#include "model/LineCodec.h"

// Bits and kind, so that a negative zero differs from zero.
static std::string Bits(const std::optional<LineValue>& v) {
  if (!v) return "none";
  return v->kind == LineValue::Kind::Integer
             ? "i" + std::to_string(v->integer)
             : "f" + std::to_string(std::bit_cast<std::uint32_t>(v->real));
}
static std::string Bits(const std::optional<double>& v) {
  return v ? std::to_string(std::bit_cast<std::uint64_t>(*v)) : "none";
}

// Ties, signed zeros, the edges of int32, float and double, and random numbers
// of every size and of three decimals.
TEST(CellNumbers, DirectConversionsGiveExactlyWhatQLocaleGives) {
  // clang-format off
  std::vector<double> values = {0.0, -0.0, 1.0, -1.5, 2.5, 0.1, 16.5 * 1.1, 1e-7, 9.99999999999999e-8,
      1e22, 9.9e21, 1000000000000005.0, 100000000000000.5, -100000000000001.5, 0.30000000000000004,
      2147483647.0, 2147483647.5, 2147483648.0, -2147483648.5, -2147483649.0, 16383.9995,
      double(FLT_MAX), 3.4028235677973366e38, 3.4028236e38, DBL_MAX, DBL_MIN, 4.9e-324, 1e-310,
      123456789012345678.0, 0.000123456789012345, 999999999999999.4, 999999999999999.6};
  // clang-format on
  std::mt19937_64 random(4711);
  std::uniform_real_distribution<double> exponent(-12, 26), unit(-1, 1);
  std::uniform_int_distribution<int> thousandths(-40000000, 40000000);
  for (int i = 0; i < 1500; ++i) {
    values.push_back(unit(random) * std::pow(10.0, exponent(random)));
    values.push_back(double(float(thousandths(random) / 1000.0)) * 1.1);
  }
  QSet<QString> kinds;
  for (const QLocale& locale :
       QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
    const CellNumbers direct(locale), byLocale(locale, false);
    // Only the separators and the exponent's letter make plain locales differ.
    const QString kind = locale.decimalPoint() + locale.groupSeparator() + locale.exponential();
    if (!direct.Direct() || kinds.contains(kind)) continue;
    kinds.insert(kind);
    SCOPED_TRACE(locale.name().toStdString());
    NycGciCar car;
    for (const double value : values) {
      SCOPED_TRACE(value);
      if (std::fabs(value) < 2e9) car.SetInteger(CarField::Value, std::int32_t(value));
      if (std::isfinite(float(value))) car.SetFloat(CarField::Mass, float(value));
      for (const int col : {3, 5}) {  // value (an integer) and mass (a float)
        EXPECT_EQ(Bits(direct.Typed(col, value)), Bits(byLocale.Typed(col, value)));
        EXPECT_EQ(Bits(direct.Shown(car, col)), Bits(byLocale.Shown(car, col)));
      }
    }
  }
  EXPECT_GE(kinds.size(), 3);  // at least the point, the comma and another group separator
  EXPECT_FALSE(CellNumbers(QLocale(QStringLiteral("sv_SE"))).Direct());  // minus is U+2212
  EXPECT_FALSE(CellNumbers(QLocale(QStringLiteral("ar_EG"))).Direct());  // Arabic-Indic digits
}

// What the user types or pastes into a cell: never with a group separator,
// and where the locale writes a decimal comma the point is a decimal point
// too; nothing beyond the column's type.
TEST(ColumnTable, ReadsTypedNumbersWithoutGroupSeparators) {
  const QLocale english(QLocale::English), german(QLocale::German, QLocale::Germany);
  // Locale, column (3 an integer, 5 a float), text, and the value ("error 13"
  // for no number, "error 6" beyond the type).
  // clang-format off
  const std::tuple<QLocale, int, const char*, const char*> cases[] = {
      {english, 5, "1.5", "f1.500 {}"}, {english, 5, "1,500", "error 13"},
      {english, 5, "1,5", "error 13"}, {english, 3, "1,000", "error 13"},
      {english, 5, "1e39", "error 6"}, {english, 5, "-1e39", "error 6"}, {english, 3, "2.5", "2 {}"},
      {german, 5, "1.500", "f1.500 {}"}, {german, 5, "1,500", "f1.500 {}"},
      {german, 5, "1,5", "f1.500 {}"}, {german, 3, "2.500", "2 {}"}, {german, 5, "2.500,5", "error 13"},
      {german, 5, "1.000.000", "error 13"}, {german, 3, "1.000.000", "error 13"},
      {german, 5, "-0,25", "f-0.250 {}"}};
  // clang-format on
  for (const auto& [locale, col, text, value] : cases) {
    QByteArray got;
    try {
      got = FormatLine(ColumnTable::ValueOfText(col, QString::fromLatin1(text), locale), {});
    } catch (const TorqletError& error) {
      got = "error " + QByteArray::number(error.Number());
    }
    EXPECT_EQ(got, value) << locale.name() << " " << text;
  }
}
