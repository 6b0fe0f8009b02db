#include "frmOptionsSheetBase.h"

#include "Exception.h"
#include "StringUtils.h"

std::unique_ptr<TSheetList> SheetList;

namespace {

bool SameName(const std::string& Left, const std::string& Right) {
  return AnsiSameText(Trim(Left), Trim(Right));
}

}  // namespace

TOptionsSheetBase::TOptionsSheetBase(TOptionsSheetOwner* Owner) : FOwner(Owner) {
  FLayout.Caption = "OptionsSheetBase";
  FLayout.Width = 422;
  FLayout.Height = 325;
  TSheetLabel Hint;
  Hint.Name = "lbSheetBaseLabel";
  Hint.Caption = "Please select a subentry for options";
  Hint.Bounds = {104, 88, 167, 13};
  Hint.WordWrap = false;
  FLayout.Labels.push_back(Hint);
  FormCreate();
}

const TSheetLabel* TOptionsSheetBase::Label(const std::string& Name) const {
  std::vector<const TSheetLabel*> All;
  for (const TSheetLabel& Label : FLayout.Labels) All.push_back(&Label);
  for (const auto* Strip : {&FLayout.Top, &FLayout.Bottom})
    if (*Strip)
      for (const TSheetLabel& Label : (*Strip)->Labels) All.push_back(&Label);
  for (const TSheetLabel* Label : All)
    if (Label->Name == Name) return Label;
  return nullptr;
}

void TOptionsSheetBase::FormCreate() { FModified = false; }

void TOptionsSheetBase::Apply() {}

void TOptionsSheetBase::SetModified(bool Value) {
  FModified = Value;
  if (Value && FOwner) FOwner->SetModified(true);
}

void TOptionsSheetBase::MarkModified(const void* /*Sender*/) { SetModified(true); }

int TSheetList::IndexOfName(const std::string& Name) const {
  for (int Index = 0; Index < Count(); ++Index)
    if (SameName(FItems[Index]->SheetName, Name)) return Index;
  return -1;
}

const TSheetRec& TSheetList::Entries(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Index);
  return *FItems[Index];
}

bool TSheetList::IsAncestorOrSelf(int Ancestor, int Index) const {
  for (; Index != -1; Index = FItems[Index]->ParentIndex)
    if (Index == Ancestor) return true;
  return false;
}

int TSheetList::AddSheet(const std::string& ParentName, const std::string& SheetName,
                         TSheetClass SheetClass) {
  int Found = IndexOfName(SheetName);
  std::unique_ptr<TSheetRec> Added;
  TSheetRec* Entry;
  std::string Name = SheetName;
  if (Found >= 0 && FItems[Found]->SheetClass.IsGroup()) {
    Entry = FItems[Found].get();
  } else {
    if (Found >= 0) {
      int Suffix = 1;
      while (IndexOfName(SheetName + "-" + std::to_string(Suffix)) >= 0) ++Suffix;
      Name = SheetName + "-" + std::to_string(Suffix);
    }
    Added = std::make_unique<TSheetRec>(TSheetRec{Name, -1, SheetClass});
    Entry = Added.get();
  }
  int ParentIndex = -1;
  if (!ParentName.empty()) {
    ParentIndex = IndexOfName(ParentName);
    if (ParentIndex < 0)
      ParentIndex = AddSheet("", ParentName, TSheetClass::Of<TOptionsSheetBase>());
    // Taking over a group with one of its own pages as parent would make the
    // page its own ancestor: such a registration is refused.
    else if (!Added && IsAncestorOrSelf(Found, ParentIndex))
      throw Exception("The page '" + SheetName + "' cannot be placed below its own page '" +
                      FItems[ParentIndex]->SheetName + "'");
  }
  Entry->SheetName = Name;
  Entry->SheetClass = SheetClass;
  Entry->ParentIndex = ParentIndex;
  if (!Added) return Found;
  FItems.push_back(std::move(Added));
  return Count() - 1;
}

void TSheetList::Delete(int Index) {
  Entries(Index);
  for (const auto& Item : FItems) {
    if (Item->ParentIndex == Index) {
      // A page removed while pages below it remain leaves a group in its
      // place, so the positions and the tree of the others stay as they are.
      FItems[Index]->SheetClass = TSheetClass::Of<TOptionsSheetBase>();
      return;
    }
  }
  std::unique_ptr<TSheetRec> Removed = std::move(FItems[Index]);
  FItems.erase(FItems.begin() + Index);
  for (const auto& Item : FItems)
    if (Item->ParentIndex > Index) --Item->ParentIndex;
  Notify(*Removed, Index);
}

void TSheetList::Notify(const TSheetRec& Removed, int RemovedIndex) {
  int Parent = Removed.ParentIndex;
  if (Parent == -1) return;
  if (Parent > RemovedIndex) --Parent;
  if (!FItems[Parent]->SheetClass.IsGroup()) return;
  for (const auto& Item : FItems)
    if (Item->ParentIndex == Parent) return;
  Delete(Parent);
}

std::string RegisterOptionsSheet(const std::string& ParentName, const std::string& SheetName,
                                 TSheetClass SheetClass) {
  if (!SheetList) SheetList = std::make_unique<TSheetList>();
  try {
    return SheetList->Entries(SheetList->AddSheet(ParentName, SheetName, SheetClass)).SheetName;
  } catch (...) {
    if (SheetList->Count() == 0) SheetList.reset();
    throw;
  }
}

void UnregisterOptionsSheet(const std::string& SheetName) {
  if (!SheetList) return;
  int Index = SheetList->IndexOfName(SheetName);
  if (Index >= 0) SheetList->Delete(Index);
  if (SheetList->Count() == 0) SheetList.reset();
}

namespace {

void VisitSheet(int Index, std::vector<bool>& Visited, const TEnumSheetsCallback& Callback) {
  if (Visited[Index]) return;
  const TSheetRec& Entry = SheetList->Entries(Index);
  std::string ParentName;
  if (Entry.ParentIndex != -1) {
    VisitSheet(Entry.ParentIndex, Visited, Callback);
    ParentName = SheetList->Entries(Entry.ParentIndex).SheetName;
  }
  Visited[Index] = true;
  Callback(ParentName, Entry.SheetName, Entry.SheetClass);
}

}  // namespace

void EnumOptionsSheets(const TEnumSheetsCallback& Callback) {
  if (!SheetList) return;
  const int Count = SheetList->Count();
  std::vector<bool> Visited(Count, false);
  for (int Index = 0; Index < Count; ++Index) VisitSheet(Index, Visited, Callback);
}
