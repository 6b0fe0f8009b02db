#include "frmTweakOptDebugging.h"

#include <QVBoxLayout>

#include "ZQTTweakerManager.h"

TTweakOptDebugging::TTweakOptDebugging(TOptionsSheetOwner* Owner, QWidget* Parent)
    : TTweakOptionPage(Owner, Parent) {
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);

  Panel2 = new QWidget(this);
  Panel2->setObjectName("Panel2");
  Panel2->setFixedHeight(34);
  auto* Top = new QVBoxLayout(Panel2);
  Top->setContentsMargins(0, 0, 0, 0);
  Label1 = new QLabel("These options are used for ZQT troubleshooting", Panel2);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Top->addWidget(Label1);

  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFixedHeight(31);
  btnSaveLogs = new QPushButton("Save all logs to ...", Panel1);
  btnSaveLogs->setObjectName("btnSaveLogs");
  btnSaveLogs->setGeometry(5, 3, 116, 25);

  Layout->addWidget(Panel2);
  Layout->addWidget(frTweakOptions, 1);
  Layout->addWidget(Panel1);
  FormCreate(ZQTTweakOptions->DebuggingOptions);
}
