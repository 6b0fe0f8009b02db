// What each kind of option is to everything above the option model: the
// dialog's option list and zqttweak. Values are given as the registry keeps
// them, a DWORD taken as a signed 32-bit number. A new kind of option is one
// more description here.
#pragma once

#include <string>

#include "TweakOptionsMngr.h"

class TOptionKind {
 public:
  virtual ~TOptionKind() = default;
  // The kind's name outside the program: "boolean" or "integer".
  virtual const char* Name() const = 0;
  // A yes or no: the option list shows it as a check box, JSON as true or
  // false.
  virtual bool IsYesNo() const = 0;
  // The option's value and default, as the registry keeps them.
  virtual int Value(const TTweakOptionItem& Option) const = 0;
  virtual int DefaultValue(const TTweakOptionItem& Option) const = 0;
  virtual void SetValue(TTweakOptionItem& Option, int Value) const = 0;
  // A value the user typed; EConvertError for a text the kind does not
  // take.
  virtual int Parse(const std::string& Text) const = 0;
  // Whether a value read from a registry file is one of the kind's.
  virtual bool Holds(int Value) const = 0;
  // A value as the option list's hint says it.
  virtual std::string Words(int Value) const = 0;
  // Appends an option of the kind to Set.
  virtual void AddOption(TTweakOptionSet& Set, const std::string& Caption,
                         const std::string& Description, const std::string& Key,
                         const std::string& ValueName, int Default,
                         TTweakOptionTarget Target) const = 0;

  bool IsDefault(const TTweakOptionItem& Option) const {
    return Value(Option) == DefaultValue(Option);
  }
  void Reset(TTweakOptionItem& Option) const { SetValue(Option, DefaultValue(Option)); }
};

// Yes or no, kept as 1 or 0; typed as 0, 1, true or false.
class TBooleanKind final : public TOptionKind {
 public:
  const char* Name() const override { return "boolean"; }
  bool IsYesNo() const override { return true; }
  int Value(const TTweakOptionItem& Option) const override;
  int DefaultValue(const TTweakOptionItem& Option) const override;
  void SetValue(TTweakOptionItem& Option, int Value) const override;
  int Parse(const std::string& Text) const override;
  bool Holds(int Value) const override { return Value == 0 || Value == 1; }
  std::string Words(int Value) const override { return Value ? "checked" : "unchecked"; }
  void AddOption(TTweakOptionSet& Set, const std::string& Caption, const std::string& Description,
                 const std::string& Key, const std::string& ValueName, int Default,
                 TTweakOptionTarget Target) const override;
};

// A signed 32-bit number, typed as the integer conversion takes it.
class TIntegerKind final : public TOptionKind {
 public:
  const char* Name() const override { return "integer"; }
  bool IsYesNo() const override { return false; }
  int Value(const TTweakOptionItem& Option) const override;
  int DefaultValue(const TTweakOptionItem& Option) const override;
  void SetValue(TTweakOptionItem& Option, int Value) const override;
  int Parse(const std::string& Text) const override;
  bool Holds(int) const override { return true; }
  std::string Words(int Value) const override { return std::to_string(Value); }
  void AddOption(TTweakOptionSet& Set, const std::string& Caption, const std::string& Description,
                 const std::string& Key, const std::string& ValueName, int Default,
                 TTweakOptionTarget Target) const override;
};

extern const TBooleanKind BooleanKind;
extern const TIntegerKind IntegerKind;
