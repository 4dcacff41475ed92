#include "tools/CliStatus.h"

void CliStatus::Warn(const QString& text) {
  std::fputs(CliStatus::tr("%1: warning: %2\n").arg(caller_, text).toLocal8Bit().constData(),
             err_);
  std::fflush(err_);
}
