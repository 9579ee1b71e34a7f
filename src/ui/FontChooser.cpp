#include "ui/FontChooser.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QIcon Swatch(const QColor& color) {
  QPixmap pixmap(16, 16);
  pixmap.fill(color);
  return QIcon(pixmap);
}

// Only what the settings keep of a font: face, size and the four styles.
QFont Kept(const QFont& chosen) {
  QFont font(chosen.family(), chosen.pointSize());
  font.setBold(chosen.bold());
  font.setItalic(chosen.italic());
  font.setUnderline(chosen.underline());
  font.setStrikeOut(chosen.strikeOut());
  return font;
}

// The font as the chooser is to show it. The chooser finds a style only by
// its name, and for a font that names none it asks for a weight word in the
// user's language, which matches none of the family's own style names: it
// would start from the family's first style (condensed italic, say). So the
// font names the family's style that fits its weight and slant (italic or
// oblique), the plainest (shortest) name first.
QFont AsShown(const QFont& font) {
  QFont shown(font);
  const QString family = font.family();
  QString fitting;
  for (const QString& style : QFontDatabase::styles(family)) {
    const QFont candidate = QFontDatabase::font(family, style, font.pointSize());
    const bool slanted = candidate.style() != QFont::StyleNormal;  // italic or oblique
    if (candidate.bold() != font.bold() || slanted != font.italic()) continue;
    if (fitting.isEmpty() || style.size() < fitting.size()) fitting = style;
  }
  if (!fitting.isEmpty()) shown.setStyleName(fitting);
  return shown;
}

}  // namespace

std::optional<TFontSetting> ChooseFont(QWidget* owner, const TFontSetting& start) {
  QDialog dialog(owner);
  dialog.setWindowTitle(QCoreApplication::translate("TFontChooser", "フォント"));

  // The font dialog as a part of ours: face, size, styles and a sample.
  auto* fonts = new QFontDialog(&dialog);
  fonts->setWindowFlags(Qt::Widget);
  fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  fonts->setSizeGripEnabled(false);
  fonts->setCurrentFont(AsShown(start.font));
  // Escape inside it closes it as a dialog of its own; take that for ours.
  QObject::connect(fonts, &QDialog::rejected, &dialog, &QDialog::reject);

  const QColor startColor = DecodeColor(start.color, dialog.palette());
  QColor color = startColor;
  auto* colorButton = new QPushButton(Swatch(color), QCoreApplication::translate("TFontChooser", "色(&C)..."), &dialog);
  QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
    const QColor picked = QColorDialog::getColor(color, &dialog, QCoreApplication::translate("TFontChooser", "色"));
    if (!picked.isValid()) return;
    color = picked;
    colorButton->setIcon(Swatch(color));
  });

  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QCoreApplication::translate("TFontChooser", "OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QCoreApplication::translate("TFontChooser", "キャンセル"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

  auto* row = new QHBoxLayout;
  row->addWidget(colorButton);
  row->addStretch();
  row->addWidget(buttons);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(fonts);
  layout->addLayout(row);

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  // An untouched colour keeps its encoding, so a system colour stays one.
  return TFontSetting{Kept(fonts->currentFont()), color == startColor ? start.color : EncodeColor(color)};
}
