// The option list's grid for tests of the list's rules, without a display.
#pragma once

#include "frTweakOptionsSet.h"

// A grid that draws nothing: it keeps the editor's text and records what
// the frame asks of it.
class TRecordingListView : public TOptionListView {
 public:
  void RowsChanged() override {}
  void RowChanged(int) override {}
  void DescriptionChanged() override {}
  void RowFocused(int) override {}
  void StartEditTimer(int Milliseconds) override { EditTimer = Milliseconds; }
  void StopEditTimer() override { EditTimer = 0; }
  void OpenEditor(int Row, const WideString& Text) override {
    EditorRow = Row;
    EditorText_ = Text;
  }
  WideString EditorText() const override { return EditorText_; }
  void FocusEditor() override { ++EditorFocused; }
  void CloseEditor() override { EditorRow = -1; }
  void ShowContextMenu(int Row) override { MenuRow = Row; }

  // The running edit timer's wait; 0 for none.
  int EditTimer = 0;
  int EditorRow = -1;
  WideString EditorText_;
  int EditorFocused = 0;
  // The row whose context menu was shown last; -2 for none.
  int MenuRow = -2;
};
