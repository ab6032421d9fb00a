// A modal dialog: a window run in a nested loop until it ends with a
// result (kResultOk 1, kResultCancel 2, kResultClose 8, or any number the
// dialog chooses). Enter acts as OK and Escape as Cancel; closing the window
// through the window system acts as Cancel, as on the platform this mirrors.
// EndDialog may be called while the dialog initialises: it then never shows.
#pragma once

#include <QEventLoop>

#include "platform/win/window.h"

namespace orvilo::win {

class Dialog : public Window {
  Q_OBJECT
 public:
  explicit Dialog(QWidget* parent = nullptr);

  // Shows the dialog modally over `owner` (may be null) and returns its result.
  int DoModal(QWidget* owner = nullptr);
  void EndDialog(int result);
  bool IsModalRunning() const { return running_; }

 protected:
  // Called before the dialog is shown; false ends it with -1.
  virtual bool OnInitDialog() { return true; }
  virtual void OnOK() { EndDialog(kResultOk); }
  virtual void OnCancel() { EndDialog(kResultCancel); }

  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QEventLoop* loop_ = nullptr;
  bool running_ = false;
  bool ended_ = false;
  int result_ = 0;
};

}  // namespace orvilo::win
