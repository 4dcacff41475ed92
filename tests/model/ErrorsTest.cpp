#include <QLocale>

#include "TestSupport.h"
#include "core/Errors.h"

TEST(Errors, DescriptionsFollowTheInterfaceLanguage) {
  const QLocale saved;
  auto in = [](QLocale::Language language, std::int32_t number) {
    QLocale::setDefault(QLocale(language));
    return ErrDescr(number);
  };
  EXPECT_EQ(in(QLocale::German, ErrBadPropertyValue), "Falscher Eigenschafts-Wert");
  EXPECT_EQ(in(QLocale::French, ErrBadCall), "Bad call");  // no table of its own
  // Far from the base a number must not wrap around onto a real text.
  for (const std::int32_t number : {OwnErrorBase + 6, 0, 2147483647}) {
    EXPECT_EQ(in(QLocale::English, number),
              QStringLiteral("Description for error '%1' not found").arg(number));
  }
  QLocale::setDefault(saved);
}
