// The troubleshooting page: logging options, and the collection of the
// organizer's log files.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "TweakOptionPage.h"

class TTweakOptDebugging : public TTweakOptionPage {
  Q_OBJECT

 public:
  TTweakOptDebugging(TOptionsSheetOwner* Owner, QWidget* Parent);

  // Collects the organizer's log files from the device and the desktop
  // into a folder the user picks, and tells which were copied.
  void btnSaveLogsClick();

  QWidget* Panel2;
  QLabel* Label1;
  QWidget* Panel1;
  QPushButton* btnSaveLogs;
};
