#pragma once
// One record of a database written in place, as safely as a whole-file
// rewrite: before the record is written, the bytes it will cover and the
// file's old length go to a small journal beside the database ("DBmain.rnd.jnl"),
// flushed to the disc; the record is then written and flushed, and the journal
// removed. A run that ends between leaves the journal, and the next start puts
// the old bytes and the old length back, so the database is always the old one
// or the new one. A journal that was not written to its end means the database
// was never touched: it is only removed.
#include <cstdint>
#include <string>

#include "remedies/record_db.h"

namespace remedies {

// The journal's program name beside a database ("OpzioneH\DBmain.rnd.jnl").
std::string JournalNameFor(const DbFile& db);

// Overwrites data record r (1..count) in place through the journal. IoError
// (naming the database) when r is no data record or the file cannot be
// written; nothing is changed then.
void WriteRecordInPlace(const DbFile& db, std::int64_t r, const Bytes& record, const WriteSteps& steps = {});
// Writes a new record after the last whole one (a partial last record is
// overwritten; an empty file gets its header record first) through the
// journal; returns the new data count.
std::int64_t AppendRecordInPlace(const DbFile& db, const Bytes& record, const WriteSteps& steps = {});

// Puts back what a journal left beside the database holds and removes it;
// true when a change was rolled back.
bool RollBackJournal(const DbFile& db);
// The same for the primary and the therapies databases (at the start);
// returns how many changes were rolled back.
int RollBackInterruptedSaves();

}  // namespace remedies
