// The files a registry store keeps beside its own: the queue of its writers
// ("<store>-queue"), and zqttweak's lock ("<store>.lock") and journal
// ("<store>.journal"). (SQLite's own, "-wal" and "-shm", it names itself.)
#pragma once

#include <string>

enum class TStoreCompanion { Queue, Lock, Journal };

std::string StoreCompanionFile(const std::string& StoreFile, TStoreCompanion Companion);
