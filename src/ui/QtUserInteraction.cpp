#include "QtUserInteraction.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

void ShowBox(QMessageBox::Icon Icon, const std::string& Message) {
  QMessageBox Box(Icon, QApplication::applicationName(), QString::fromStdString(Message),
                  QMessageBox::Ok, QApplication::activeWindow());
  Box.exec();
}

}  // namespace

void TQtUserInteraction::ShowError(const std::string& Message) {
  ShowBox(QMessageBox::Critical, Message);
}

void TQtUserInteraction::ShowMessage(const std::string& Message) {
  ShowBox(QMessageBox::NoIcon, Message);
}

std::string TQtUserInteraction::BrowseFolder(const std::string& Title, DWORD /*Flags*/) {
  // The toolkit's folder dialog offers file-system folders only.
  return QFileDialog::getExistingDirectory(QApplication::activeWindow(),
                                           QString::fromStdString(Title), QString(),
                                           QFileDialog::ShowDirsOnly)
      .toStdString();
}
