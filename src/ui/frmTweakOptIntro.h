// The introduction page: what the program is, and whether a device was
// found at start-up.
#pragma once

#include <QLabel>

#include "frmOptionsSheetBase.h"

class TTweakOptAbout : public TOptionsSheetBase {
  Q_OBJECT

 public:
  TTweakOptAbout(TOptionsSheetOwner* Owner, QWidget* Parent);

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  // Shown exactly when no device was connected at start-up.
  QLabel* lbDevice;
};
