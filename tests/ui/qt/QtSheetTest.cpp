// Every fixed text of every page shows whole, in the font the front end
// has: built three times, at 96, 120 and 144 DPI.
#include <gtest/gtest.h>

#include <QLabel>

#include "QtScale.h"
#include "QtSheet.h"
#include "RecordingInteraction.h"
#include "frmTweakOptDebugging.h"
#include "frmTweakOptIntro.h"

namespace {

void ExpectEveryTextWhole(const TOptionsSheetBase& Page) {
  TQtSheet Sheet(Page, nullptr);
  Sheet.resize(385, 334);
  Sheet.show();
  for (const QLabel* Label : Sheet.findChildren<QLabel*>()) {
    if (Label->isHidden()) continue;
    const std::string Name = Label->objectName().toStdString();
    if (Label->wordWrap())
      EXPECT_LE(Label->heightForWidth(Label->width()), Label->height()) << Name;
    else
      EXPECT_LE(Label->sizeHint().width(), Label->width()) << Name;
  }
}

TEST(QtSheetTest, APageOnItsOwnHasItsCaptionAndDesignSize) {
  const TOptionsSheetBase Page(nullptr);
  const TQtSheet Sheet(Page, nullptr);
  EXPECT_EQ("OptionsSheetBase", Sheet.windowTitle().toStdString());
  EXPECT_EQ(QSize(Scaled(422), Scaled(325)), Sheet.size());
}

TEST(QtSheetTest, EveryFixedTextOfEveryPageShowsWhole) {
  TRecordingInteraction Interaction;
  ExpectEveryTextWhole(TOptionsSheetBase(nullptr));
  ExpectEveryTextWhole(TTweakOptAbout(nullptr));
  ExpectEveryTextWhole(TTweakOptDebugging(nullptr));
}

}  // namespace
