#pragma once
// The game definition switch dialog "プラグイン切り替え": the names of the
// catalogue, one to pick.

#include <QDialog>

class QListWidget;

class TfmPlugin : public QDialog {
  Q_OBJECT
 public:
  explicit TfmPlugin(QWidget* owner);

  // Shows the dialog modally with the names and the selection that the caller
  // put into the list; true when it was closed with an entry picked (OK or a
  // double click with an entry selected).
  bool Choose();
  QListWidget* List() const { return listBox1_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Pick();

  QListWidget* listBox1_;
  bool picked_ = false;
};
