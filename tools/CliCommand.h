#pragma once

#include <QCoreApplication>
#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "model/CellValue.h"
#include "tools/CliStatus.h"

class CarDocument;
class NycGciCars;

// One command of torqlet-cli ("torqlet-cli NAME ..."): its name, a line that
// says what it does, its own options and arguments, and the work. Run reads
// the arguments after the name and raises UsageError for wrong usage before
// any file is touched; a failure of the work leaves as the error that caused it.
class CliCommand {
  Q_DECLARE_TR_FUNCTIONS(CliCommand)

 public:
  // Wrong usage, said in one line.
  struct UsageError {
    QString text;
  };
  // The reader of the output closed it before all was written.
  struct PipeClosed {};

  CliCommand(QString name, QString description);
  virtual ~CliCommand();
  CliCommand(const CliCommand&) = delete;
  CliCommand& operator=(const CliCommand&) = delete;

  const QString& Name() const { return name_; }
  const QString& Description() const { return description_; }
  // "Usage: torqlet-cli NAME [options] ARGUMENTS", and the whole text of --help.
  QString UsageLine() const;
  QString HelpText() const;

  // Does the work, or prints the help for --help; returns the exit status.
  int Run(const QStringList& arguments, std::FILE* out);
  // The exit status of a failed work.
  virtual int FailureStatus() const { return 1; }
  // Whether the work has saved a file: what fails after that (printing its
  // report) is only a warning, as the file is changed already.
  bool Saved() const { return saved_; }

 protected:
  // The command's arguments, all required, in this order.
  void AddArgument(const QString& name, const QString& description);
  void AddOption(const QCommandLineOption& option) { parser_.addOption(option); }
  const QCommandLineParser& Parser() const { return parser_; }
  // The value of an option that may be given once, or an empty text.
  QString SingleValue(const QCommandLineOption& option) const;
  // The work, given the arguments.
  virtual int Execute(const QStringList& arguments, std::FILE* out) = 0;

  // A new object that lives as long as the command. torqlet-cli ends without
  // destroying its commands: a file of a hundred thousand cars goes with the
  // process at once instead of being freed car by car.
  template <typename T, typename... Arguments>
  T& Hold(Arguments&&... arguments) {
    auto object = std::make_shared<T>(std::forward<Arguments>(arguments)...);
    held_.push_back(object);
    return *object;
  }
  // Where the command's car files report: their warnings go to standard error.
  StatusDisplay* Status() { return &status_; }

  static void Write(std::FILE* out, const QByteArray& bytes);
  // "1 cell", "2 cells": the counts that the commands print.
  static QByteArray CellCount(std::int64_t count);
  // Writes the document or car file to output when one is named, even
  // unchanged (then a copy of the file's bytes), else back to its own file
  // when something changed.
  template <typename File>
  void Store(File& file, std::int64_t changed, const QString& output) {
    if (!output.isEmpty()) {
      file.SaveAs(output);
    } else if (changed > 0) {
      file.Save();
    } else {
      return;
    }
    saved_ = true;
  }
  // Warns, a line per column, of the cells whose new value is 100 or more
  // times the old one or a hundredth of it or less (as a table that a
  // spreadsheet read with the wrong decimal separator gives).
  void WarnOfLargeFactors(const NycGciCars& file, const std::vector<CellValue>& cells);

 private:
  QString name_;
  QString description_;
  QStringList argumentNames_;
  QCommandLineParser parser_;
  QCommandLineOption help_;
  CliStatus status_;
  bool saved_ = false;
  std::vector<std::shared_ptr<void>> held_;
};
