#include <QLocale>

#include "TestSupport.h"
#include "core/Errors.h"

// Languages without a table of their own read English; a number far from the
// base must not wrap around onto a real text. (German is seen through torqlet-cli.)
TEST(Errors, DescriptionsFallBackToEnglishAndToANotFoundText) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::French));
  EXPECT_EQ(ErrDescr(ErrBadCall), "Bad call");
  for (const std::int32_t number : {OwnErrorBase + 6, 0, 2147483647}) {
    EXPECT_EQ(ErrDescr(number), QStringLiteral("Description for error '%1' not found").arg(number));
  }
  QLocale::setDefault(saved);
}
