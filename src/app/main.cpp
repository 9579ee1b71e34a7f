// Velqorandis: a deck editor for collectible trading card games.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "common/FilePath.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  ConfigureApplication(application);
  std::unique_ptr<TfmMain> window;
  try {
    window = std::make_unique<TfmMain>(ExecutableFolder());
  } catch (const std::exception& error) {
    // A missing Plugin folder ends the program after its message.
    QMessageBox::critical(nullptr, QStringLiteral("Velqorandis"), QString::fromUtf8(error.what()));
    return 1;
  }
  window->show();
  return application.exec();
}
