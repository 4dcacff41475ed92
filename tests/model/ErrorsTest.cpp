#include <QLocale>

#include "TestSupport.h"
#include "core/ErrorCodes.h"
#include "core/Errors.h"

namespace {

QString DescriptionIn(QLocale::Language language, std::int32_t number) {
  const QLocale saved;
  QLocale::setDefault(QLocale(language));
  const QString text = ErrDescr(number);
  QLocale::setDefault(saved);
  return text;
}

TEST(Errors, DescriptionsFollowTheInterfaceLanguage) {
  EXPECT_EQ(DescriptionIn(QLocale::German, ErrBadPropertyValue), "Falscher Eigenschafts-Wert");
  EXPECT_EQ(DescriptionIn(QLocale::French, ErrBadCall), "Bad call");  // no table of its own
  // Far from the base a number must not wrap around onto a real text.
  for (const std::int32_t number : {OwnErrorBase + 6, 0, 2147483647}) {
    EXPECT_EQ(DescriptionIn(QLocale::English, number),
              QStringLiteral("Description for error '%1' not found").arg(number));
  }
}

}  // namespace
