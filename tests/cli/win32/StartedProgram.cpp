// Windows: the program is created with its output going to files, and uses
// the real registry, which a test cannot redirect for another process: the
// keys it touches are moved aside for the test and back afterwards.
#include "StartedProgram.h"

#include <gtest/gtest.h>

#include "TemporaryRegistry.h"

namespace {

struct TProgramKey {
  HKEY Root;
  const char* Path;
};

// Every desktop key the program reads or writes.
const TProgramKey kProgramKeys[] = {
    {HKEY_CURRENT_USER, "Software\\Quorvanta"},
    {HKEY_CURRENT_USER, "Software\\ZQT"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqt.exe"}};

// The parent of every test's keys kept aside, below HKEY_CURRENT_USER.
constexpr char kKeptAside[] = "Software\\ZQT test keys kept aside";

std::filesystem::path ExecutableFolder() {
  std::vector<char> Name(32768);
  const DWORD Length = GetModuleFileNameA(nullptr, Name.data(), static_cast<DWORD>(Name.size()));
  return std::filesystem::path(std::string(Name.data(), Length)).parent_path();
}

// Argument as one word of a command line that the C runtime splits.
std::string QuotedArgument(const std::string& Argument) {
  if (!Argument.empty() && Argument.find_first_of(" \t\"") == std::string::npos) return Argument;
  std::string Quoted = "\"";
  std::size_t Backslashes = 0;
  for (char Character : Argument) {
    if (Character == '\\') {
      ++Backslashes;
      continue;
    }
    Quoted.append(Character == '"' ? Backslashes * 2 + 1 : Backslashes, '\\');
    Backslashes = 0;
    Quoted += Character;
  }
  Quoted.append(Backslashes * 2, '\\');
  return Quoted + '"';
}

HANDLE InheritableFile(const std::string& Name) {
  SECURITY_ATTRIBUTES Security{sizeof(Security), nullptr, TRUE};
  return CreateFileA(Name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &Security, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string WithLfLineEnds(const std::string& Text) {
  std::string Result;
  for (std::size_t Index = 0; Index < Text.size(); ++Index)
    if (Text.compare(Index, 2, "\r\n") != 0) Result += Text[Index];
  return Result;
}

// Moves FromRoot\From, when it exists, to ToRoot\To.
void MoveKey(HKEY FromRoot, const std::string& From, HKEY ToRoot, const std::string& To) {
  HKEY Source = nullptr;
  if (RegOpenKeyExA(FromRoot, From.c_str(), 0, KEY_READ, &Source) != ERROR_SUCCESS) return;
  HKEY Target = nullptr;
  EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(ToRoot, To.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &Target, nullptr));
  EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeA(Source, nullptr, Target));
  RegCloseKey(Target);
  RegCloseKey(Source);
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteTreeA(FromRoot, From.c_str()));
}

}  // namespace

namespace {

std::string BesideTests(const char* Relative) {
  return (ExecutableFolder() / Relative).lexically_normal().make_preferred().string();
}

}  // namespace

std::string ZqtTweakProgram() { return BesideTests(ZQTTWEAK_PROGRAM); }

std::string FaultyZqtTweakProgram() { return BesideTests(FAULTY_ZQTTWEAK_PROGRAM); }

TStartedRun::TStartedRun(const std::string& Program, const std::vector<std::string>& Arguments) {
  std::string CommandLine = QuotedArgument(Program);
  for (const std::string& Argument : Arguments) CommandLine += " " + QuotedArgument(Argument);
  STARTUPINFOA Startup{};
  Startup.cb = sizeof(Startup);
  Startup.dwFlags = STARTF_USESTDHANDLES;
  Startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  Startup.hStdOutput = InheritableFile(FOutFile);
  Startup.hStdError = InheritableFile(FErrFile);
  PROCESS_INFORMATION Process{};
  if (CreateProcessA(Program.c_str(), CommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                     nullptr, &Startup, &Process)) {
    CloseHandle(Process.hThread);
    FProcess = reinterpret_cast<std::intptr_t>(Process.hProcess);
  }
  CloseHandle(Startup.hStdOutput);
  CloseHandle(Startup.hStdError);
}

TProgramRun TStartedRun::Finish() {
  TProgramRun Run;
  if (const HANDLE Process = reinterpret_cast<HANDLE>(FProcess)) {
    WaitForSingleObject(Process, INFINITE);
    DWORD ExitCode = 0;
    if (GetExitCodeProcess(Process, &ExitCode)) Run.ExitCode = static_cast<int>(ExitCode);
    CloseHandle(Process);
  }
  Run.Out = WithLfLineEnds(ReadWholeFile(FOutFile));
  Run.Err = WithLfLineEnds(ReadWholeFile(FErrFile));
  return Run;
}

struct TProgramRegistry::TPlace {
  TTemporaryFolder Folder;
  // Where this test keeps the program's keys aside.
  std::string Aside;

  std::string AsideKey(std::size_t Index) const { return Aside + "\\" + std::to_string(Index); }
};

TProgramRegistry::TProgramRegistry() : FPlace(std::make_unique<TPlace>()) {
  FPlace->Aside = std::string(kKeptAside) + "\\" + FPlace->Folder.Path().filename().string();
  for (std::size_t Index = 0; Index < std::size(kProgramKeys); ++Index)
    MoveKey(kProgramKeys[Index].Root, kProgramKeys[Index].Path, HKEY_CURRENT_USER,
            FPlace->AsideKey(Index));
}

// The parent goes too once no other test's keys are left in it.
TProgramRegistry::~TProgramRegistry() {
  for (std::size_t Index = 0; Index < std::size(kProgramKeys); ++Index) {
    RegDeleteTreeA(kProgramKeys[Index].Root, kProgramKeys[Index].Path);
    MoveKey(HKEY_CURRENT_USER, FPlace->AsideKey(Index), kProgramKeys[Index].Root,
            kProgramKeys[Index].Path);
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, FPlace->Aside.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, kKeptAside);
}

const TTemporaryFolder& TProgramRegistry::Folder() const { return FPlace->Folder; }

std::string RegistryEditorBytes(const std::string& Text) {
  std::string Bytes = "\xFF\xFE";
  for (char Character : Text) {
    if (Character == '\n') Bytes += std::string("\r\0", 2);
    Bytes += Character;
    Bytes += '\0';
  }
  return Bytes;
}
