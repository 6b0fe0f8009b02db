// The organizer's log files, gathered from the device and the desktop into
// one folder: five on the device (in the PocketPC edition's install folder
// and the device's temporary folder) and three in the organizer's program
// folder on the desktop. A file that is missing or cannot be copied is left
// out of the report, and one that cannot be copied is kept with its reason;
// no copy ever leaves a partial file or destroys an older one.
#pragma once

#include <string>
#include <vector>

class TRapiManager;

class TLogCollection {
 public:
  // Device: the run's device manager (null or not connected: desktop
  // files only). Target: the folder the files are copied into.
  TLogCollection(TRapiManager* Device, std::string Target);

  // Tries every log file in turn. Where the device does not name its
  // install or temporary folder, the user is told so first, through the
  // user-interaction functions. A device value of the wrong type raises
  // and ends the collection, with the device's root put back.
  void Collect();
  // Copies one device file into the target folder and lists it.
  void CopyDeviceLog(const std::string& Folder, const std::string& Name);
  // Copies one desktop file into the target folder and lists it.
  void CopyDesktopLog(const std::string& Folder, const std::string& Name);

  bool AnyCopied() const { return !FCopied.empty(); }
  // What the user is told at the end: the copied files by their source
  // paths, or "Log files not found".
  std::string Report() const;
  // Each file that exists but was not copied, with the reason:
  // "Could not copy SOURCE to TARGET: REASON".
  const std::vector<std::string>& Failures() const { return FFailures; }

 private:
  // Lists Source as copied, or its failure.
  void Record(bool Copied, const std::string& Source, const std::string& Target,
              const std::string& Failure);

  TRapiManager* FDevice;
  std::string FTarget;
  // One line per copied file, each after a "\n\r".
  std::string FCopied;
  std::vector<std::string> FFailures;
};
