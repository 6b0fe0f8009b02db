#include "QtUserInteraction.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "QtText.h"

namespace {

// The program's messages break their lines as Windows shows them, with a
// line feed and a carriage return in either order; on screen each pair is
// one line break.
QString DisplayText(const std::string& Message) {
  QString Text = ToQString(Message);
  Text.replace("\n\r", "\n").replace("\r\n", "\n").replace('\r', '\n');
  return Text;
}

void ShowBox(QMessageBox::Icon Icon, const std::string& Message) {
  QMessageBox Box(Icon, QApplication::applicationName(), DisplayText(Message), QMessageBox::Ok,
                  QApplication::activeWindow());
  Box.exec();
}

}  // namespace

void TQtUserInteraction::ShowError(const std::string& Message) {
  ShowBox(QMessageBox::Critical, Message);
}

void TQtUserInteraction::ShowMessage(const std::string& Message) {
  ShowBox(QMessageBox::NoIcon, Message);
}

std::string TQtUserInteraction::BrowseFolder(const std::string& Title, DWORD /*Flags*/,
                                             const std::string& StartFolder) {
  // The desktop's own folder dialog where it has one; it offers file-system
  // folders only. Without a start folder it opens at the user's home, not
  // in whatever folder the program was started from.
  const QString Start = StartFolder.empty() ? QDir::homePath() : ToQString(StartFolder);
  return ToAnsi(QFileDialog::getExistingDirectory(QApplication::activeWindow(), ToQString(Title),
                                                  Start, QFileDialog::ShowDirsOnly));
}
