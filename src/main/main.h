// The hidden host form: its creation carries the whole run of the program
// (command line, the two managers, the option catalogue, the options
// dialog); its destruction releases the managers. It also holds a developer
// test panel for the device registry and device files, never shown.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "QtOptionList.h"
#include "RapiMngr.h"
#include "RegistryMngr.h"
#include "frTweakOptionsSet.h"

// The whole run inside the application object: the catalogue and the pages
// first, then the hidden host form, whose creation runs the options dialog;
// at the end everything is released in the reverse order. The exit code.
int RunTweaker(const std::vector<std::string>& Arguments);

// Writes the advanced switch for every argument that is one prefix
// character followed by "AdvancedOptions" in any letter case.
void ScanCommandLine(const std::vector<std::string>& Arguments);

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // Arguments: the command line without the program's own path.
  explicit TForm1(const std::vector<std::string>& Arguments);
  ~TForm1() override;

  QLineEdit* edKey;
  QPushButton* btnRegistryRead;
  QLabel* lbResult;
  QLineEdit* edCopyFrom;
  QLineEdit* edCopyTo;
  QPushButton* btnCopy;
  QLabel* lbCopyRes;
  QLineEdit* edValueName;
  QPushButton* btnRegWrite;
  QLineEdit* edValue;
  // Never bound to a set.
  TQtOptionList* frTweakOptions;
  // No action.
  QPushButton* Button1;

  void btnRegistryReadClick();
  void btnRegWriteClick();
  void btnCopyClick();

  TRapiManager* RapiManager() const { return FRapiManager.get(); }

 private:
  void CreateComponents();
  void FormCreate(const std::vector<std::string>& Arguments);
  void FormDestroy();

  TfrTweakOptions FUnboundOptions;
  std::unique_ptr<TRapiManager> FRapiManager;
  std::unique_ptr<TRegistryManager> FRegistryManager;
};
