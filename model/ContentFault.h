#pragma once

#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>

// Where a car file's content fails to load and what is wrong there, as the
// user reads it: "line 23: a value line has no comment in braces". Lines are
// counted as a text editor counts them, from 1. Only asked once a load has
// failed, so it may look at the content again.
class ContentFault {
  Q_DECLARE_TR_FUNCTIONS(ContentFault)

 public:
  // The content holds no car after its header comment.
  static QString NoCar(QByteArrayView all);
  // The header comment, the first section, cannot be read.
  static QString Header();
  // The car block of the section [from, end) of the content cannot be read.
  static QString Block(QByteArrayView all, qsizetype from, qsizetype end);
};
