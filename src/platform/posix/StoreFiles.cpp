#include "StoreFiles.h"

std::string StoreCompanionFile(const std::string& StoreFile, TStoreCompanion Companion) {
  switch (Companion) {
    case TStoreCompanion::Queue:
      return StoreFile + "-queue";
    case TStoreCompanion::Lock:
      return StoreFile + ".lock";
    case TStoreCompanion::Journal:
      return StoreFile + ".journal";
  }
  return StoreFile;
}
