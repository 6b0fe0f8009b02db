// The least a program showing the options dialog can be: a Qt dialog of the
// same size with a tree of the same nodes and three buttons, and the icon
// that a program's windows must carry on the desktop, set as the program
// sets it; nothing else. The start-up benchmark sets the program against it.
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTreeWidget>

#include "ProgramIcon.h"

int main(int argc, char** argv) {
  QApplication Application(argc, argv);
  Application.setWindowIcon(ProgramIcon());
  QDialog Dialog;
  Dialog.setWindowTitle("Quorvanta Tweaker for Desktop and PocketPC Editions. Ver. 1.9.1");
  Dialog.setFixedSize(559, 367);
  auto* Tree = new QTreeWidget(&Dialog);
  Tree->setGeometry(0, 0, 174, 367);
  Tree->setHeaderHidden(true);
  Tree->addTopLevelItem(new QTreeWidgetItem(QStringList("About ZQTTweaker")));
  for (const char* Group : {"ZQT Desktop", "ZQT PocketPC", "Troubleshooting"}) {
    auto* Item = new QTreeWidgetItem(QStringList(Group));
    Tree->addTopLevelItem(Item);
    Item->addChild(new QTreeWidgetItem(QStringList("Page")));
    Item->setExpanded(true);
  }
  Tree->setCurrentItem(Tree->topLevelItem(0));
  int Left = 559 - 3 * 88;
  for (const char* Caption : {"OK", "Cancel", "&Apply"}) {
    auto* Button = new QPushButton(Caption, &Dialog);
    Button->setGeometry(Left, 367 - 28, 75, 25);
    Left += 88;
  }
  return Dialog.exec();
}
