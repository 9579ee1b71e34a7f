#include "ui/ConfigDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>
#include <utility>

#include "ui/FontChooser.h"

namespace {

// A font button acts when a mouse button (any one) is released over it; the
// keyboard does not open the font chooser.
class TFontButton : public QPushButton {
 public:
  TFontButton(const QString& caption, QWidget* parent, std::function<void()> onMouseUp)
      : QPushButton(caption, parent), onMouseUp_(std::move(onMouseUp)) {
    setAutoDefault(false);  // Enter stays with OK
    setFixedSize(169, 41);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QPushButton::mouseReleaseEvent(event);
    if (rect().contains(event->position().toPoint())) onMouseUp_();
  }

 private:
  std::function<void()> onMouseUp_;
};

}  // namespace

TfmConfig::TfmConfig(QWidget* owner) : QDialog(owner), pageControl_(new QTabWidget(this)) {
  setWindowTitle(tr("設定ダイアログ"));
  pageControl_->addTab(FontPage(), tr("フォント"));
  pageControl_->addTab(OtherPage(), tr("その他"));
  pageControl_->addTab(AboutPage(), tr("About"));
  pageControl_->setCurrentIndex(1);

  auto* ok = new QPushButton(tr("OK"), this);
  auto* cancel = new QPushButton(tr("キャンセル"), this);
  ok->setObjectName(QStringLiteral("OKBtn"));
  cancel->setObjectName(QStringLiteral("CancelBtn"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    confirmed_ = true;
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pageControl_);
  layout->addLayout(buttons);
  setFixedSize(427, 300);
  for (int i = 0; i < 3; ++i) ShowFont(i);
}

QWidget* TfmConfig::FontPage() {
  static const char* const kCaptions[3] = {QT_TR_NOOP("カードリスト"), QT_TR_NOOP("デッキリスト"),
                                          QT_TR_NOOP("カードテキスト")};
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  for (int i = 0; i < 3; ++i) {
    fontButtons_[i] = new TFontButton(tr(kCaptions[i]), page, [this, i] { PickFont(i); });
    layout->addWidget(fontButtons_[i]);
  }
  layout->addStretch();
  return page;
}

QWidget* TfmConfig::OtherPage() {
  auto* page = new QWidget;
  checkBox1_ = new QCheckBox(tr("デッキ追加時にインデックスを移動する"), page);
  cbStatusHelp_ = new QCheckBox(tr("マウスを載せた時、簡易ヘルプを表示しない"), page);
  cbNoSaveCheck_ = new QCheckBox(tr("未保存時に確認ダイアログの表示"), page);
  // In the order of TUiLanguage. Each language names itself; "automatic"
  // follows the desktop's languages.
  language_ = new QComboBox(page);
  language_->addItems({tr("自動"), QStringLiteral("日本語"), QStringLiteral("English")});
  auto* languageNote = new QLabel(tr("言語の変更は次回の起動から有効になります。"), page);
  languageNote->setWordWrap(true);
  auto* languageRow = new QFormLayout;
  languageRow->addRow(tr("言語"), language_);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(checkBox1_);
  layout->addWidget(cbStatusHelp_);
  layout->addWidget(cbNoSaveCheck_);
  layout->addSpacing(8);
  layout->addLayout(languageRow);
  layout->addWidget(languageNote);
  layout->addStretch();
  return page;
}

QWidget* TfmConfig::AboutPage() {
  auto* page = new QWidget;
  auto* image1 = new QLabel(page);
  const QIcon icon = QApplication::windowIcon();
  image1->setPixmap((icon.isNull() ? style()->standardIcon(QStyle::SP_DesktopIcon) : icon).pixmap(32));
  auto* label1 = new QLabel(QStringLiteral("Velqorandis"), page);
  auto* label2 = new QLabel(QStringLiteral("2011/12/26"), page);
  const QString address = QString::fromLatin1(kDistributionPage);
  auto* linkLabel1 = new QLabel(tr("配布元　：　<a href=\"%1\">%1</a>").arg(address), page);
  linkLabel1->setObjectName(QStringLiteral("LinkLabel1"));
  linkLabel1->setTextFormat(Qt::RichText);
  linkLabel1->setOpenExternalLinks(true);  // the desktop's browser, through QDesktopServices

  auto* titles = new QVBoxLayout;
  titles->addWidget(label1);
  titles->addWidget(label2);
  auto* top = new QHBoxLayout;
  top->addWidget(image1);
  top->addLayout(titles);
  top->addStretch();
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(top);
  layout->addWidget(linkLabel1);
  layout->addStretch();
  return page;
}

bool TfmConfig::Execute() {
  confirmed_ = false;
  exec();
  return confirmed_;
}

void TfmConfig::SetFonts(const TFontSetting& cardList, const TFontSetting& deckList, const TFontSetting& cardText) {
  fonts_[0] = cardList;
  fonts_[1] = deckList;
  fonts_[2] = cardText;
  for (int i = 0; i < 3; ++i) ShowFont(i);
}

// The button's caption in the font it stands for, in that font's colour.
void TfmConfig::ShowFont(int index) {
  QPushButton* button = fontButtons_[index];
  button->setFont(fonts_[index].font);
  QPalette palette = button->palette();
  palette.setColor(QPalette::ButtonText, DecodeColor(fonts_[index].color, this->palette()));
  button->setPalette(palette);
}

void TfmConfig::PickFont(int index) {
  if (std::optional<TFontSetting> chosen = ChooseFont(this, fonts_[index])) {
    fonts_[index] = *chosen;
    ShowFont(index);
  }
}

void TfmConfig::SetLanguage(TUiLanguage language) { language_->setCurrentIndex(static_cast<int>(language)); }

TUiLanguage TfmConfig::Language() const { return static_cast<TUiLanguage>(language_->currentIndex()); }
