#pragma once

#include <QString>

// What the car file needs of the main window while it loads and saves: the
// caption that names the step, and the progress bar along the frame's bottom.
// The frame implements it; tests record it.
class StatusDisplay {
 public:
  virtual ~StatusDisplay() = default;

  virtual QString Caption() const = 0;
  virtual void SetCaption(const QString& text) = 0;
  virtual void SetProgressVisible(bool visible) = 0;
  virtual void SetProgressMax(float max) = 0;
  virtual void SetProgressValue(float value) = 0;
  // Shows the frame without modality; nothing changes when it is shown already.
  virtual void Show() = 0;
  // Tells the user something about the file that they should know (what an
  // interrupted save left beside it); the load or save goes on.
  virtual void Warn(const QString& text) = 0;
};
