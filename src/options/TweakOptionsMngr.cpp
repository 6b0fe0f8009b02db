#include "TweakOptionsMngr.h"

#include "RapiMngr.h"
#include "RegistryMngr.h"

namespace {

// How each kind of value goes through the registries.
int AsDeviceInteger(bool Value) { return Value ? 1 : 0; }
int AsDeviceInteger(int Value) { return Value; }
void FromDeviceInteger(int Stored, bool& Value) { Value = Stored != 0; }
void FromDeviceInteger(int Stored, int& Value) { Value = Stored; }

void ReadDesktop(TRegistryManager& Manager, const std::string& Name, bool& Value) {
  Manager.ReadBoolValue(Name, Value);
}
void ReadDesktop(TRegistryManager& Manager, const std::string& Name, int& Value) {
  Manager.ReadIntegerValue(Name, Value);
}
void WriteDesktop(TRegistryManager& Manager, const std::string& Name, bool Value) {
  Manager.WriteBoolValue(Name, Value);
}
void WriteDesktop(TRegistryManager& Manager, const std::string& Name, int Value) {
  Manager.WriteIntegerValue(Name, Value);
}

}  // namespace

void TTweakOptionItem::RaiseWriteError() const {
  throw TExTweak("Could not write to registry: " + Key + " " + ValueName);
}

bool TTweakOptionItem::OpenKey(TRegistryManager* RegistryManager, TRapiManager* RapiManager,
                               bool CanCreate) const {
  if (Target == TTweakOptionTarget::otDevice)
    return RapiManager && RapiManager->OpenKey(Key, false, CanCreate);
  return RegistryManager && RegistryManager->OpenKeyMode(Key, false, CanCreate);
}

template <typename TValue>
void TTweakOptionItemOf<TValue>::Load(TRegistryManager* RegistryManager,
                                      TRapiManager* RapiManager) {
  if (OpenKey(RegistryManager, RapiManager, false)) {
    if (Target == TTweakOptionTarget::otDevice)
      FromDeviceInteger(RapiManager->ReadInteger(ValueName, AsDeviceInteger(FValue)), FValue);
    else
      ReadDesktop(*RegistryManager, ValueName, FValue);
  }
  FStoredValue = FValue;
}

template <typename TValue>
void TTweakOptionItemOf<TValue>::Save(TRegistryManager* RegistryManager,
                                      TRapiManager* RapiManager) {
  if (Modified()) Write(RegistryManager, RapiManager);
}

template <typename TValue>
void TTweakOptionItemOf<TValue>::Write(TRegistryManager* RegistryManager,
                                       TRapiManager* RapiManager) {
  if (!OpenKey(RegistryManager, RapiManager, true)) RaiseWriteError();
  if (Target == TTweakOptionTarget::otDevice)
    RapiManager->WriteInteger(ValueName, AsDeviceInteger(FValue));
  else
    WriteDesktop(*RegistryManager, ValueName, FValue);
  FStoredValue = FValue;
}

template class TTweakOptionItemOf<bool>;
template class TTweakOptionItemOf<int>;

namespace {

template <typename TItem, typename TValue>
std::unique_ptr<TItem> NewOption(const std::string& Caption, const std::string& Description,
                                 const std::string& Key, const std::string& ValueName,
                                 TValue Default, TTweakOptionTarget Target) {
  auto Item = std::make_unique<TItem>();
  Item->Caption = Caption;
  Item->Description = Description;
  Item->Key = Key;
  Item->ValueName = ValueName;
  Item->Target = Target;
  Item->SetDefaultValue(Default);
  Item->SetValue(Default);
  return Item;
}

}  // namespace

std::string RegistryKeyName(const std::string& Key) {
  return "HKEY_CURRENT_USER\\" + (Key.starts_with('\\') ? Key.substr(1) : Key);
}

void TTweakOptionSet::AddBoolOption(const std::string& Caption, const std::string& Description,
                                    const std::string& Key, const std::string& ValueName,
                                    bool Default, TTweakOptionTarget Target) {
  FItems.push_back(
      NewOption<TTweakOptionItemBool>(Caption, Description, Key, ValueName, Default, Target));
}

void TTweakOptionSet::AddIntOption(const std::string& Caption, const std::string& Description,
                                   const std::string& Key, const std::string& ValueName,
                                   int Default, TTweakOptionTarget Target) {
  FItems.push_back(
      NewOption<TTweakOptionItemInt>(Caption, Description, Key, ValueName, Default, Target));
}

TTweakOptionItem* TTweakOptionSet::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Index);
  return FItems[Index].get();
}

void TTweakOptionSet::LoadOptions(TRegistryManager* RegistryManager, TRapiManager* RapiManager) {
  for (const auto& Item : FItems) Item->Load(RegistryManager, RapiManager);
}

void TTweakOptionSet::SaveOptions(TRegistryManager* RegistryManager, TRapiManager* RapiManager) {
  for (const auto& Item : FItems) Item->Save(RegistryManager, RapiManager);
}

void TTweakOptionSet::Clear() {
  for (auto& Item : FItems) Item.reset();
  FItems.clear();
}
