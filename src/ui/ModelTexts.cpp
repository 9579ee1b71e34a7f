#include "ui/ModelTexts.h"

#include <QCoreApplication>

#include "common/Text.h"
#include "gamedef/IniFile.h"

namespace {

// The model's constants, for the translation tools to find; ModelText looks
// them up by their text.
[[maybe_unused]] constexpr const char* kModelTexts[] = {
    QT_TRANSLATE_NOOP("Model", "データロードエラー"),
    QT_TRANSLATE_NOOP("Model", "ファイルを開けませんでした"),
    QT_TRANSLATE_NOOP("Model", "２つ目のＴＣＧ名設定"),
    QT_TRANSLATE_NOOP("Model", "ＴＣＧが違います"),
    QT_TRANSLATE_NOOP("Model", "領域名が違う"),
    QT_TRANSLATE_NOOP("Model", "指定されたパスが見つかりません"),
};

}  // namespace

QString ModelText(std::u16string_view message) {
  return QCoreApplication::translate("Model", ToUtf8(message).c_str());
}

QString CannotWriteText(const std::u16string& fileName) {
  return QCoreApplication::translate("Model", "%1 に書き込めません").arg(QString::fromStdU16String(fileName));
}

QString CannotWriteText(const EIniFileException& error) { return CannotWriteText(error.FileName()); }
