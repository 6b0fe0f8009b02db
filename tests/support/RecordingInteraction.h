// Answers the program's messages and folder dialog for a test, without
// blocking: every message is recorded, the folder dialog gets the answer the
// test set. Installed while the object lives.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "UserInteraction.h"

class TRecordingInteraction : public TUserInteraction {
 public:
  TRecordingInteraction() : FPrevious(SetUserInteraction(this)) {}
  ~TRecordingInteraction() override { SetUserInteraction(FPrevious); }
  TRecordingInteraction(const TRecordingInteraction&) = delete;
  TRecordingInteraction& operator=(const TRecordingInteraction&) = delete;

  void ShowError(const std::string& Message) override {
    Errors.push_back(Message);
    if (OnError) OnError();
  }
  void ShowMessage(const std::string& Message) override { Messages.push_back(Message); }
  std::string BrowseFolder(const std::string& Title, DWORD Flags,
                           const std::string& StartFolder) override {
    FolderTitles.push_back(Title);
    FolderFlags.push_back(Flags);
    StartFolders.push_back(StartFolder);
    return FolderAnswer;
  }

  std::vector<std::string> Errors;
  std::vector<std::string> Messages;
  std::vector<std::string> FolderTitles;
  std::vector<DWORD> FolderFlags;
  std::vector<std::string> StartFolders;
  // What the folder dialog answers; empty means the user cancelled.
  std::string FolderAnswer;
  // Called while an error is shown, as the events a real box lets through.
  std::function<void()> OnError;

 private:
  TUserInteraction* FPrevious;
};
