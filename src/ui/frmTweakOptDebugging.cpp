#include "frmTweakOptDebugging.h"

#include "LogCollection.h"
#include "UserInteraction.h"
#include "ZQTTweakerManager.h"
#include "miniUtils.h"

TTweakOptDebugging::TTweakOptDebugging(TOptionsSheetOwner* Owner) : TTweakOptionPage(Owner) {
  TSheetLabel Label1;
  Label1.Name = "Label1";
  Label1.Caption = "These options are used for ZQT troubleshooting";
  FLayout.Top = TSheetStrip{"Panel2", 34, {Label1}, {}};
  TSheetButton SaveLogs{"btnSaveLogs", "Save all logs to ...", {5, 3, 116, 25}, [this] {
                          ReportErrorsOf([this] { btnSaveLogsClick(); });
                        }};
  FLayout.Bottom = TSheetStrip{"Panel1", 31, {}, {SaveLogs}};
  FormCreate(ZQTTweakOptions->DebuggingOptions);
}

void TTweakOptDebugging::btnSaveLogsClick() {
  const std::string Target =
      SelectFolder("Select a folder to save desktop and device log files to");
  if (Target.empty()) return;
  TLogCollection Collection(ZQTTweakOptions->RapiManager, Target);
  Collection.Collect();
  UserInteraction().ShowMessage(Collection.Report());
}
