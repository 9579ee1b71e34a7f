#include "ui/PluginDialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

TfmPlugin::TfmPlugin(QWidget* owner) : QDialog(owner), listBox1_(new QListWidget(this)) {
  setWindowTitle(tr("プラグイン切り替え"));
  listBox1_->setSortingEnabled(false);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(listBox1_);
  layout->addWidget(buttons);
  resize(300, 260);
  connect(buttons, &QDialogButtonBox::accepted, this, &TfmPlugin::Pick);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // A double click anywhere in the list closes the dialog, on an entry or not.
  listBox1_->viewport()->installEventFilter(this);
}

bool TfmPlugin::eventFilter(QObject* watched, QEvent* event) {
  if (watched == listBox1_->viewport() && event->type() == QEvent::MouseButtonDblClick &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Pick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

bool TfmPlugin::Choose() {
  picked_ = false;
  exec();
  return picked_;
}

void TfmPlugin::Pick() {
  picked_ = listBox1_->currentRow() >= 0 && listBox1_->currentItem()->isSelected();
  accept();
}
